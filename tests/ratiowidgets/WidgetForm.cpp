#include "WidgetForm.h"

#include "TestFiles.h"
#include "platform/vcl/Application.h"

namespace widgettest {

namespace {

// The window that real input at (x, y) of `control` reaches, as the
// system picks it: the window holding the capture, else the visible and
// enabled window under the point; (x, y) become its client coordinates.
HWND WindowAt(TControl* control, int& x, int& y)
{
    // A shown control has its window by the time a user can reach it.
    for (TControl* c = control; c != nullptr; c = c->Parent())
        if (auto* window = dynamic_cast<TWinControl*>(c))
            window->Handle();
    POINT point = control->ClientToScreen(POINT{x, y});
    HWND window = GetCapture();
    if (window == nullptr)
        window = WindowFromPoint(point);
    ScreenToClient(window, &point);
    x = point.x;
    y = point.y;
    return window;
}

void PostMouse(TControl* control, UINT message, WPARAM keys, int x, int y)
{
    HWND window = WindowAt(control, x, y);
    PostMessageA(window, message, keys, MAKELPARAM(x, y));
    WidgetForm::Pump();
}

}  // namespace

void WidgetForm::SetUp()
{
    BoardSuite::SetUp();
    if (IsSkipped())
        return;
    m_boardText = zxtest::ReadWholeFile(BoardFile());
    form = new TMainForm(nullptr);
    MainForm = form;
    // The main window's controls blend over its pictures, as the page layout has them.
    SetSkinHost(&form->Skin());
    form->Background->Picture()->Assign(form->ShownPicture(HostPicture::kLargeBk)->Picture());
    form->SetClientSize(form->Background->Width(), form->Background->Height());
    form->CoreBk->SetLeft(kCorePicturePlace.x);
    form->CoreBk->SetTop(kCorePicturePlace.y);
    form->SetLeft(20);
    form->SetTop(20);
    form->Show();
    // The controller gives the window its colour key; opaque is enough here.
    SetLayeredWindowAttributes(form->Handle(), 0, 255, LWA_ALPHA);
    Pump();
}

void WidgetForm::TearDown()
{
    delete form;
    // The form's message hook goes with it.
    Application->OnMessage = nullptr;
    MainForm = nullptr;
    form = nullptr;
    if (!m_boardText.empty())
        zxtest::WriteWholeFile(BoardFile(), m_boardText);
}

std::string WidgetForm::BoardFile()
{
    char path[MAX_PATH] = "";
    GetEnvironmentVariableA("KYACPI_BOARD", path, sizeof path);
    return path;
}

void WidgetForm::Pump()
{
    Application->ProcessMessages();
}

void WidgetForm::MoveOver(TControl* control, int x, int y, bool leftDown)
{
    PostMouse(control, WM_MOUSEMOVE, leftDown ? MK_LBUTTON : 0, x, y);
}

void WidgetForm::PressOn(TControl* control, int x, int y)
{
    PostMouse(control, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
}

void WidgetForm::ReleaseOn(TControl* control, int x, int y)
{
    PostMouse(control, WM_LBUTTONUP, 0, x, y);
}

void WidgetForm::ClickOn(TControl* control, int x, int y)
{
    MoveOver(control, x, y);
    PressOn(control, x, y);
    ReleaseOn(control, x, y);
}

std::unique_ptr<TBitmap> WidgetForm::Screenshot(const std::string& name)
{
    HWND window = form->Handle();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    RECT bounds;
    GetWindowRect(window, &bounds);
    auto shot = std::make_unique<TBitmap>();
    shot->SetPixelFormat(pf24bit);
    shot->SetSize(bounds.right - bounds.left, bounds.bottom - bounds.top);
    // The window's own surface, not the screen: a window of a test running
    // alongside may lie over this one.
    HDC own = GetWindowDC(window);
    BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), own, 0, 0, SRCCOPY);
    ReleaseDC(window, own);
    shot->SaveToFile(name + ".bmp");
    return shot;
}

}  // namespace widgettest
