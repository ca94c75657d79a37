#include "KyPackage/Source/KyBar.h"

#include <algorithm>

#include "KyPackage/Source/KyPalette.h"

void KyBarOrigin::SetX(int x)
{
    m_x = x;
    m_bar->LocateIndicator();
}

void KyBarOrigin::SetY(int y)
{
    m_y = y;
    m_bar->LocateIndicator();
}

void KyBarOrigin::AssignTo(TPersistent* destination)
{
    auto* target = As<KyBarOrigin>(destination);
    target->m_x = m_x;
    target->m_y = m_y;
    target->m_bar->LocateIndicator();
}

KyBar::KyBar(TComponent* owner) : KyBrick(owner), m_indicator(new TImage(this)), m_origin(this)
{
    m_indicator->SetParent(this);
    // No picture yet: nothing to show and nothing to hit.
    m_indicator->SetBounds(0, 0, 0, 0);
    m_indicator->SetAutoSize(true);
    m_indicator->BringToFront();
    m_indicator->OnMouseDown = TMouseEvent(this, &KyBar::OnImgMouseDown);
    m_indicator->OnMouseMove = TMouseMoveEvent(this, &KyBar::OnImgMouseMove);
    m_indicator->OnMouseUp = TMouseEvent(this, &KyBar::OnImgMouseUp);
}

KyBar::~KyBar()
{
    delete m_indicator;
}

void KyBar::SetIndicator(TBitmap* bitmap)
{
    m_indicator->Picture()->Bitmap()->Assign(bitmap);
    if (m_indicator->Picture()->Width() == 0 || m_indicator->Picture()->Height() == 0)
        m_indicator->SetBounds(m_indicator->Left(), m_indicator->Top(), 0, 0);
    LocateIndicator();
}

int KyBar::ClampPosition(int position) const
{
    return std::max(0, std::min(position, m_length));
}

void KyBar::SetLength(int length)
{
    m_length = length;
    m_scrollPos = ClampPosition(m_scrollPos);
    LocateIndicator();
}

void KyBar::SetScrollPos(int position)
{
    m_scrollPos = ClampPosition(position);
    LocateIndicator();
}

void KyBar::SetKind(TScrollBarKind kind)
{
    m_kind = kind;
    LocateIndicator();
}

void KyBar::LocateIndicator()
{
    // Integer division rounds toward zero, for odd and negative sizes alike.
    int x = m_origin.X() - m_indicator->Width() / 2;
    int y = m_origin.Y() - m_indicator->Height() / 2;
    if (m_kind == sbHorizontal) {
        x += m_scrollPos;
        Indicate(x);
    } else {
        y += m_scrollPos;
        Indicate(y);
    }
    m_indicator->SetBounds(x, y, m_indicator->Width(), m_indicator->Height());
}

void KyBar::Repaint()
{
    m_indicator->Repaint();
    KyCustomControl::Repaint();
}

void KyBar::SetEnabled(bool enabled)
{
    if (!enabled)
        EndDrag();
    KyBrick::SetEnabled(enabled);
}

void KyBar::Dispatch(TMessage& message)
{
    // A menu or a modal box took the mouse: the drag ends where it is.
    if (message.Msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(message.LParam) != Handle())
        EndDrag();
    KyBrick::Dispatch(message);
}

void KyBar::EndDrag()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    EndScroll();
}

void KyBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && Enabled() && HitTest(x, y)) {
        m_lastX = x;
        m_lastY = y;
        m_dragging = true;
        StartScroll();
    }
    KyBrick::MouseDown(button, shift, x, y);
}

void KyBar::MouseMove(TShiftState shift, int x, int y)
{
    if (m_dragging) {
        int p = ClampPosition(m_scrollPos + (m_kind == sbHorizontal ? x - m_lastX : y - m_lastY));
        bool forward = p >= m_scrollPos;
        Scroll(p, forward);
        // A handler's snap may not leave the range either.
        m_scrollPos = ClampPosition(p);
        LocateIndicator();
        m_lastX = x;
        m_lastY = y;
    }
    KyBrick::MouseMove(shift, x, y);
}

void KyBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    EndDrag();
    KyBrick::MouseUp(button, shift, x, y);
}

void KyBar::OnImgMouseDown(TObject*, TMouseButton button, TShiftState shift, int x, int y)
{
    MouseDown(button, shift, x + m_indicator->Left(), y + m_indicator->Top());
}

void KyBar::OnImgMouseMove(TObject*, TShiftState shift, int x, int y)
{
    MouseMove(shift, x + m_indicator->Left(), y + m_indicator->Top());
}

void KyBar::OnImgMouseUp(TObject*, TMouseButton button, TShiftState shift, int x, int y)
{
    MouseUp(button, shift, x + m_indicator->Left(), y + m_indicator->Top());
}

void RegisterKyBar()
{
    RegisterComponents(kKyPalettePage, {"KyBar"});
}
