#include "KyPackage/Source/KyCustomControl.h"

KyCustomControl::KyCustomControl(TComponent* owner, bool clicksDisabled, int stateCount)
    : KyControl(owner, clicksDisabled), m_images(new vessa::TBmpLEDCtrl(this, this, stateCount))
{
    SetStateBitmap(nullptr, 0);
    m_savedChange = TakeOverBitmapChanges(TNotifyEvent(this, &KyCustomControl::BitmapChanged));
}

KyCustomControl::~KyCustomControl()
{
    delete m_images;
}

TNotifyEvent KyCustomControl::TakeOverBitmapChanges(const TNotifyEvent& handler)
{
    TNotifyEvent previous = GetStateBitmap(0)->OnChange;
    for (int i = 0; i < GetStateCount(); ++i)
        GetStateBitmap(i)->OnChange = handler;
    return previous;
}

void KyCustomControl::SetStateBitmap(TBitmap* bitmap, int index)
{
    if (index == 0 && bitmap)
        m_images->SetTransparentColor(bitmap->TransparentColor());
    m_images->SetBitmap(bitmap, index);
}

int KyCustomControl::IndexOfImage(TObject* bitmap)
{
    int index = 0;
    while (index < GetStateCount() && GetStateBitmap(index) != bitmap)
        ++index;
    return index;
}

void KyCustomControl::ShowBitmap(int index)
{
    m_currentIndex = index;
    while (index != 0 && IsImageEmpty(index))
        index = Substitute(index);
    m_images->SetState(index);
}

int KyCustomControl::GroupSubstitute(int index)
{
    int visual = index % kImagesPerGroup;
    return visual == 0 ? 0 : index - visual;
}

void KyCustomControl::ReshowIfStandInChanged(TObject* bitmap)
{
    int changed = IndexOfImage(bitmap);
    int standIn = Substitute(GetCurrentIndex());
    if (standIn != 0 && changed == standIn)
        ShowBitmap(GetCurrentIndex());
}

void KyCustomControl::BitmapChanged(TObject* sender)
{
    int index = IndexOfImage(sender);
    auto* bitmap = static_cast<TBitmap*>(sender);
    // The image holder redraws a shown image that changed, so it goes
    // first: what the control draws over the image (a caption) comes after.
    if (index != 0) {
        m_savedChange(sender);
        if (index == m_currentIndex)
            ShowBitmap(index);
        return;
    }
    m_images->SetSize(bitmap->Width(), bitmap->Height());
    m_savedChange(sender);
    Repaint();
    if (!IsEmpty(bitmap))
        SetBounds(Left(), Top(), bitmap->Width(), bitmap->Height());
    UpdateRegion();
}

bool KyCustomControl::CanResize(int& newWidth, int& newHeight)
{
    if (IsImageEmpty(0))
        return KyControl::CanResize(newWidth, newHeight);
    newWidth = m_images->Width();
    newHeight = m_images->Height();
    return true;
}

void KyCustomControl::Resize()
{
    KyControl::Resize();
    UpdateRegion();
}

void KyCustomControl::CreateWnd()
{
    KyControl::CreateWnd();
    UpdateRegion();
}

void KyCustomControl::BuildRegion()
{
    if (!Transparent())
        m_region.SetRect(0, 0, Width(), Height());
    else if (IsImageEmpty(0))
        m_region.SetRect(0, 0, 0, 0);
    else
        m_region.FromBitmap(GetStateBitmap(0), TransparentColor());
}

void KyCustomControl::UpdateRegion()
{
    BuildRegion();
    if (ComponentState() & csDesigning)
        return;
    // A window made later takes its region in CreateWnd.
    if (!HandleAllocated())
        return;
    // A transparent control without image 0 shows nothing and takes the
    // empty region, so that no click lands on it.
    if (!Transparent())
        SetWindowRgn(Handle(), nullptr, TRUE);
    else
        m_region.ApplyToWindow(Handle(), true);
}

bool KyCustomControl::HitTest(int x, int y)
{
    return PtInRegion(m_region.Handle(), x, y) == TRUE;
}

void KyCustomControl::SetTransparent(bool transparent)
{
    if (transparent == Transparent())
        return;
    m_images->SetTransparent(transparent);
    UpdateRegion();
}

void KyCustomControl::SetTransparentColor(TColor color)
{
    m_images->SetTransparentColor(color);
    UpdateRegion();
}

void KyCustomControl::WndProc(TMessage& message)
{
    if (message.Msg == WM_ERASEBKGND && !(ComponentState() & csDesigning)) {
        message.Result = 1;
        return;
    }
    KyControl::WndProc(message);
}

void KyCustomControl::Repaint()
{
    RepaintImages();
    KyControl::Repaint();
}
