#pragma once
// Holds one graphic (bitmap or icon) and passes its changes on.

#include <memory>
#include <string>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Icon.h"

class TPicture : public TPersistent {
public:
    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    TGraphic* Graphic() const { return m_graphic.get(); }
    // Copies `graphic` (null clears): a bitmap into the bitmap held already,
    // anything else into a new graphic of its class.
    void SetGraphic(TGraphic* graphic);
    // The picture as a bitmap: a graphic of another class is replaced by an
    // empty bitmap.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* bitmap) { SetGraphic(bitmap); }
    // As SetBitmap, but the image of `bitmap` moves over instead of being
    // copied; `bitmap` is left empty.
    void TakeBitmap(TBitmap* bitmap);
    // Shows the image of `bitmap` and hands the bitmap shown so far back in
    // `bitmap` (empty when there was none): a picture drawn again and again
    // into the same spare keeps both buffers.
    void ExchangeBitmap(TBitmap* bitmap);
    TIcon* Icon();
    int Width() const { return m_graphic ? m_graphic->Width() : 0; }
    int Height() const { return m_graphic ? m_graphic->Height() : 0; }
    // By extension: .bmp or .ico.
    void LoadFromFile(const std::string& fileName);
    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Adopt(std::unique_ptr<TGraphic> graphic);
    void GraphicChanged(TObject*) { OnChange(this); }
    std::unique_ptr<TGraphic> m_graphic;
};
