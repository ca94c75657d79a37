#include "platform/vcl/StdCtrls.h"

TEdit::TEdit(TComponent* owner) : TWinControl(owner)
{
    StoreBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

void TEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SubclassOf = "EDIT";
    params.Style |= ES_AUTOHSCROLL | ES_LEFT | (m_readOnly ? ES_READONLY : 0);
    if (m_borderStyle == bsSingleBorder)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::SetBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    RecreateWnd();
}

void TEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageA(Handle(), EM_LIMITTEXT, m_maxLength, 0);
}

void TEdit::SetMaxLength(int length)
{
    m_maxLength = length < 0 ? 0 : length;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_LIMITTEXT, m_maxLength, 0);
}

void TEdit::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETREADONLY, readOnly, 0);
}

void TEdit::SelectAll()
{
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

void TEdit::Dispatch(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == EN_CHANGE) {
        OnChange(this);
        return;
    }
    TWinControl::Dispatch(message);
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner)
{
    StoreBounds(0, 0, 185, 41);
    SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
}

void TPanel::SetBevelOuter(TPanelBevel bevel)
{
    if (bevel == m_bevelOuter)
        return;
    m_bevelOuter = bevel;
    Invalidate();
}

void TPanel::Paint()
{
    RECT rect = ClientRect();
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(rect);
    if (m_bevelOuter != bvNone)
        DrawEdge(canvas->Handle(), &rect, m_bevelOuter == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    std::string caption = Caption();
    if (!caption.empty()) {
        canvas->SetFont(Font());
        canvas->RequireFont();
        SetBkMode(canvas->Handle(), TRANSPARENT);
        DrawTextA(canvas->Handle(), caption.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
