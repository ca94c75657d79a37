#include "platform/vcl/HintWindow.h"

#include "platform/vcl/GdiGuards.h"

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner)
{
    SetVisible(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    params.ClassStyle |= CS_SAVEBITS;
    params.WndParent = nullptr;
}

void THintWindow::ActivateHint(POINT screenPoint, const std::string& text)
{
    SetText(text);
    HandleNeeded();
    RECT measure{0, 0, 300, 0};
    {
        TWindowDC dc(Handle());
        TSelection font(dc.Get(), Font()->Handle());
        DrawTextA(dc.Get(), text.c_str(), -1, &measure, DT_CALCRECT | DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
    }
    int width = measure.right + 8;
    int height = measure.bottom + 4;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (screenPoint.x + width > screenWidth)
        screenPoint.x = screenWidth - width;
    if (screenPoint.y + height > screenHeight)
        screenPoint.y = screenHeight - height;
    SetBounds(screenPoint.x, screenPoint.y, width, height);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    StoreBounds(screenPoint.x, screenPoint.y, width, height);
    m_showing = true;
    Invalidate();
}

void THintWindow::ReleaseHint()
{
    if (HandleAllocated() && m_showing)
        ShowWindow(Handle(), SW_HIDE);
    m_showing = false;
}

void THintWindow::Paint()
{
    RECT client = ClientRect();
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(client);
    Canvas()->SetFont(Font());
    Canvas()->Brush()->SetStyle(bsClear);
    InflateRect(&client, -3, -1);
    std::string text = Text();
    Canvas()->RequireFont();
    SetBkMode(Canvas()->Handle(), TRANSPARENT);
    DrawTextA(Canvas()->Handle(), text.c_str(), -1, &client, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}
