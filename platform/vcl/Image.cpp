#include "platform/vcl/Image.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner), m_picture(std::make_unique<TPicture>())
{
    m_picture->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
    StoreBounds(0, 0, 105, 105);
}

TImage::~TImage()
{
    m_picture->OnChange = nullptr;
}

TCanvas* TImage::Canvas()
{
    if (!m_picture->Graphic()) {
        TBitmap* bitmap = m_picture->Bitmap();
        bitmap->SetSize(Width(), Height());
    }
    auto* bitmap = dynamic_cast<TBitmap*>(m_picture->Graphic());
    if (!bitmap)
        throw EInvalidOperation("Can only modify an image if it contains a bitmap");
    return bitmap->Canvas();
}

void TImage::SetTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    PictureChanged(this);
}

void TImage::SetStretch(bool stretch)
{
    if (stretch == m_stretch)
        return;
    m_stretch = stretch;
    PictureChanged(this);
}

void TImage::SetCenter(bool center)
{
    if (center == m_center)
        return;
    m_center = center;
    PictureChanged(this);
}

void TImage::AdjustSize()
{
    if (m_picture->Width() > 0 && m_picture->Height() > 0)
        SetBounds(Left(), Top(), m_picture->Width(), m_picture->Height());
}

void TImage::PictureChanged(TObject*)
{
    if (AutoSize())
        AdjustSize();
    TGraphic* graphic = m_picture->Graphic();
    if (graphic && !dynamic_cast<TIcon*>(graphic)) {
        // Keep the bitmap's own change from coming back here.
        TNotifyEvent saved = graphic->OnChange;
        graphic->OnChange = nullptr;
        graphic->SetTransparent(m_transparent);
        graphic->OnChange = saved;
    }
    bool covers =
        graphic && !m_transparent && (m_stretch || (graphic->Width() >= Width() && graphic->Height() >= Height()));
    SetControlStyle(covers ? (ControlStyle() | csOpaque) : (ControlStyle() & ~csOpaque));
    Invalidate();
}

void TImage::Paint()
{
    TGraphic* graphic = m_picture->Graphic();
    if (!graphic || graphic->Empty())
        return;
    RECT target{0, 0, graphic->Width(), graphic->Height()};
    if (m_stretch) {
        target = RECT{0, 0, Width(), Height()};
    } else if (m_center) {
        OffsetRect(&target, (Width() - graphic->Width()) / 2, (Height() - graphic->Height()) / 2);
    }
    TGraphicControl::Canvas()->StretchDraw(target, graphic);
}
