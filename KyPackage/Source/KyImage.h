#pragma once
// A windowless picture that keeps its own alpha channel: painted over what
// its parent has already drawn beneath it, optionally with one constant
// opacity on top.

#include <memory>

#include "platform/vcl/GraphicControl.h"
#include "platform/vcl/Picture.h"

class KyImage : public TGraphicControl {
public:
    explicit KyImage(TComponent* owner);
    ~KyImage() override;

    TPicture* Picture() { return m_picture.get(); }
    // Copies `picture` and paints at once.
    void SetPicture(TPicture* picture);
    // Paint with the bitmap's per-pixel alpha (32-bit bitmaps only).
    bool AlphaChannel() const { return m_alphaChannel; }
    void SetAlphaChannel(bool alphaChannel);
    // Also weigh every pixel by AlphaValue / 255.
    bool AlphaBlend() const { return m_alphaBlend; }
    void SetAlphaBlend(bool alphaBlend);
    BYTE AlphaValue() const { return m_alphaValue; }
    // Paints at once only while AlphaBlend is on.
    void SetAlphaValue(BYTE alphaValue);

protected:
    void Paint() override;
    // The control takes the picture's size.
    void AdjustSize() override;

private:
    void PictureChanged(TObject* sender);
    void PaintIfShowing();

    std::unique_ptr<TPicture> m_picture;
    bool m_alphaChannel = false;
    bool m_alphaBlend = false;
    BYTE m_alphaValue = 255;
};
