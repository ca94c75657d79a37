#include "platform/vcl/GraphicControl.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<TControlCanvas*>& CanvasesHoldingContexts()
{
    // Never freed: canvases of forms deleted at exit still sign off here.
    static auto* canvases = new std::vector<TControlCanvas*>();
    return *canvases;
}

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
    CanvasesHoldingContexts().push_back(this);
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
    auto& list = CanvasesHoldingContexts();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::FreeAllContexts()
{
    auto list = CanvasesHoldingContexts();
    for (TControlCanvas* canvas : list)
        canvas->FreeContext();
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
        m_canvas.FreeContext();
        m_canvas.SetHandle(reinterpret_cast<HDC>(message.WParam));
        SetControlState(ControlState() | csPainting);
        Paint();
        SetControlState(ControlState() & ~csPainting);
        m_canvas.SetHandle(nullptr);
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
    m_canvas.FreeContext();
    m_canvas.SetHandle(dc);
    SetControlState(ControlState() | csPainting);
    Paint();
    SetControlState(ControlState() & ~csPainting);
    m_canvas.SetHandle(nullptr);
}

void TCustomControl::DestroyHandle()
{
    m_canvas.FreeContext();
    TWinControl::DestroyHandle();
}
