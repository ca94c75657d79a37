#include "KyPackage/Source/KyImage.h"

#include <algorithm>

#include "vessa/widget/layout/Source/BitmapBlend.h"

KyImage::KyImage(TComponent* owner) : TGraphicControl(owner), m_picture(std::make_unique<TPicture>())
{
    m_picture->OnChange = TNotifyEvent(this, &KyImage::PictureChanged);
}

KyImage::~KyImage()
{
    m_picture->OnChange = nullptr;
}

void KyImage::SetPicture(TPicture* picture)
{
    m_picture->Assign(picture);
    PaintIfShowing();
}

void KyImage::PaintIfShowing()
{
    // Painting outside WM_PAINT draws straight onto the parent's window:
    // a hidden image must leave it alone.
    if (Visible())
        Paint();
}

void KyImage::SetAlphaChannel(bool alphaChannel)
{
    if (alphaChannel == m_alphaChannel)
        return;
    m_alphaChannel = alphaChannel;
    PaintIfShowing();
}

void KyImage::SetAlphaBlend(bool alphaBlend)
{
    if (alphaBlend == m_alphaBlend)
        return;
    m_alphaBlend = alphaBlend;
    PaintIfShowing();
}

void KyImage::SetAlphaValue(BYTE alphaValue)
{
    if (alphaValue == m_alphaValue)
        return;
    m_alphaValue = alphaValue;
    if (m_alphaBlend)
        PaintIfShowing();
}

void KyImage::PictureChanged(TObject*)
{
    if (AutoSize())
        AdjustSize();
    Invalidate();
}

void KyImage::AdjustSize()
{
    SetBounds(Left(), Top(), m_picture->Width(), m_picture->Height());
}

void KyImage::Paint()
{
    TGraphic* graphic = m_picture->Graphic();
    if (Width() == 0 || Height() == 0 || !graphic || graphic->Empty())
        return;
    TCanvas* canvas = Canvas();
    auto* bitmap = dynamic_cast<TBitmap*>(graphic);
    if (!m_alphaChannel || !bitmap || bitmap->PixelFormat() != pf32bit) {
        canvas->Draw(0, 0, graphic);
        return;
    }
    TBitmap beneath;
    vessa::CaptureCanvasRect(canvas, &beneath, RECT{0, 0, Width(), Height()});
    BYTE opacity = m_alphaBlend ? m_alphaValue : 255;
    // A control larger than its picture shows what lies beneath beyond the
    // picture's edge, rather than reading past the picture.
    RECT covered{0, 0, std::min(Width(), bitmap->Width()), std::min(Height(), bitmap->Height())};
    vessa::AlphaBlendBitmapRect(bitmap, covered, &beneath, POINT{0, 0}, opacity);
    canvas->Draw(0, 0, &beneath);
}
