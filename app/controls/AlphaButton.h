#pragma once
// A skinned text button whose state pictures keep their transparency: it
// holds the four pictures with their alpha channel and, whenever it is
// placed or moved, blends each over the part of the main window's
// background picture that lies under it. The button then shows opaque
// pictures; painting never blends.

#include <array>
#include <memory>
#include <string>

#include "KyPackage/Source/KyButton.h"

class AlphaButton : public KyButtonTx {
public:
    explicit AlphaButton(TComponent* owner);
    ~AlphaButton() override;

    // Reads the four pictures (raised, sunken, focused, disabled) from the
    // skin folder. An empty name, or a file that is missing or does not
    // decode, leaves that state without a picture of its own: the blend
    // skips it and the button falls back to another state's image.
    void LoadImages(const std::string& raised, const std::string& sunken, const std::string& focused,
                    const std::string& disabled);
    // Blends again, after the background picture changed.
    void Reblend();
    // Blends after every change of the bounds; the same bounds again do not.
    void SetBounds(int left, int top, int width, int height) override;

    // The picture with alpha that state `index` is blended from.
    TBitmap* SourceImage(int index) { return m_sourceImages[index].get(); }

private:
    void BlendOverBackground();

    std::array<std::unique_ptr<TBitmap>, kStateCount> m_sourceImages;
    // Every state is blended in it, then copied into the state's image.
    std::unique_ptr<TBitmap> m_blended = std::make_unique<TBitmap>();
    bool m_blending = false;
};
