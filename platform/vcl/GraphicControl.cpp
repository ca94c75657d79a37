#include "platform/vcl/GraphicControl.h"

TControlCanvas* TControlCanvas::s_firstHolding = nullptr;

namespace {

// One Paint call: the control's canvas draws on `dc` and the control counts
// as painting; both end however Paint ends.
class PaintingScope {
public:
    PaintingScope(TControl* control, TControlCanvas* canvas, HDC dc)
        : m_control(control), m_loan((canvas->FreeContext(), canvas), dc)
    {
        control->SetControlState(control->ControlState() | csPainting);
    }
    ~PaintingScope() { m_control->SetControlState(m_control->ControlState() & ~csPainting); }
    PaintingScope(const PaintingScope&) = delete;
    PaintingScope& operator=(const PaintingScope&) = delete;

private:
    TControl* m_control;
    TCanvasDCLoan m_loan;
};

}  // namespace

TControlCanvas::~TControlCanvas()
{
    FreeContext();
}

void TControlCanvas::CreateHandle()
{
    if (auto* windowed = dynamic_cast<TWinControl*>(m_control)) {
        m_window = windowed->Handle();
        m_windowDc = GetDCEx(m_window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    } else {
        TWinControl* parent = m_control->Parent();
        if (!parent)
            return;
        m_window = parent->Handle();
        m_windowDc = GetDCEx(m_window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
        if (m_windowDc) {
            SetViewportOrgEx(m_windowDc, m_control->Left(), m_control->Top(), nullptr);
            IntersectClipRect(m_windowDc, 0, 0, m_control->Width(), m_control->Height());
        }
    }
    if (!m_windowDc)
        return;
    m_nextHolding = s_firstHolding;
    m_previousHolding = nullptr;
    if (s_firstHolding)
        s_firstHolding->m_previousHolding = this;
    s_firstHolding = this;
    SetHandle(m_windowDc);
}

void TControlCanvas::FreeContext()
{
    if (!m_windowDc) {
        SetHandle(nullptr);
        return;
    }
    SetHandle(nullptr);
    ReleaseDC(m_window, m_windowDc);
    m_windowDc = nullptr;
    m_window = nullptr;
    (m_previousHolding ? m_previousHolding->m_nextHolding : s_firstHolding) = m_nextHolding;
    if (m_nextHolding)
        m_nextHolding->m_previousHolding = m_previousHolding;
    m_nextHolding = m_previousHolding = nullptr;
}

void TControlCanvas::FreeAllContexts()
{
    while (s_firstHolding)
        s_firstHolding->FreeContext();
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), m_canvas(this) {}

TGraphicControl::~TGraphicControl()
{
    m_canvas.FreeContext();
}

void TGraphicControl::ApplyBounds()
{
    m_canvas.FreeContext();
}

void TGraphicControl::Dispatch(TMessage& message)
{
    if (message.Msg == WM_PAINT && message.WParam) {
        PaintingScope painting(this, &m_canvas, reinterpret_cast<HDC>(message.WParam));
        Paint();
        return;
    }
    TControl::Dispatch(message);
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), m_canvas(this) {}

TCustomControl::~TCustomControl()
{
    m_canvas.FreeContext();
}

void TCustomControl::PaintWindow(HDC dc)
{
    PaintingScope painting(this, &m_canvas, dc);
    Paint();
}

void TCustomControl::ReleaseHandle()
{
    m_canvas.FreeContext();
    TWinControl::ReleaseHandle();
}
