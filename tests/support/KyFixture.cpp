#include "KyFixture.h"

#include <algorithm>
#include <climits>

#include "SolidBitmap.h"

namespace kytest {

std::unique_ptr<TBitmap> Solid(int width, int height, TColor color)
{
    return zxtest::SolidBitmap(width, height, color);
}

COLORREF StateColor(int index)
{
    return RGB(20 + 17 * index, 90 + 5 * index, 200 - 13 * index);
}

void LoadSolidStates(KyCustomControl* control, const std::vector<int>& indexes, int size)
{
    for (int index : indexes)
        control->SetStateBitmap(Solid(size, size, static_cast<TColor>(StateColor(index))).get(), index);
}

void SetUpCaption(KyCustomControl* control, int width, int height, const std::string& text)
{
    for (int i : {0, KyCustomControl::kImagesPerGroup})
        if (i < control->GetStateCount())
            control->SetStateBitmap(Solid(width, height, static_cast<TColor>(StateColor(i))).get(), i);
    control->Font()->SetHeight(-16);
    control->Font()->SetStyle(fsBold);
    control->Font()->SetColor(clBlack);
    control->SetBounds(10, 10, width, height);
    control->SetText(text);
}

Ink InkOn(KyCustomControl* control, COLORREF background, COLORREF text)
{
    Ink ink;
    TCanvas* canvas = control->GetCanvas();
    for (int y = 0; y < control->Height(); ++y)
        for (int x = 0; x < control->Width(); ++x) {
            COLORREF pixel = canvas->Pixel(x, y);
            if (pixel == background)
                continue;
            ink.hasColor = ink.hasColor || pixel == text;
            ink.box.left = std::min<LONG>(ink.box.left, x);
            ink.box.top = std::min<LONG>(ink.box.top, y);
            ink.box.right = std::max<LONG>(ink.box.right, x + 1);
            ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
        }
    return ink;
}

int ShownImage(KyCustomControl* control)
{
    COLORREF shown = control->GetCanvas()->Pixel(1, 1);
    for (int i = 0; i < control->GetStateCount(); ++i)
        if (shown == StateColor(i))
            return i;
    return -1;
}

std::vector<std::string> ClassesOnPage(const std::string& page)
{
    for (const auto& registered : RegisteredComponentPages())
        if (registered.page == page)
            return registered.classNames;
    return {};
}

bool IsOnPage(const std::string& page, const std::string& name)
{
    auto names = ClassesOnPage(page);
    return std::find(names.begin(), names.end(), name) != names.end();
}

void KyFixture::SetUp()
{
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(60, 60, 200, 120);
    form->Show();
}

void KyFixture::TearDown()
{
    form.reset();
}

TNotifyEvent KyFixture::Logger(const std::string& what)
{
    return TNotifyEvent::FromFunction([this, what](TObject*) { log.push_back(what); });
}

void KyFixture::MoveTo(TWinControl* control, int x, int y, bool leftDown)
{
    SendMessageA(control->Handle(), WM_MOUSEMOVE, leftDown ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}

void KyFixture::Press(TWinControl* control, int x, int y)
{
    SendMessageA(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void KyFixture::Release(TWinControl* control, int x, int y)
{
    SendMessageA(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void KyFixture::Click(TWinControl* control, int x, int y)
{
    MoveTo(control, x, y);
    Press(control, x, y);
    Release(control, x, y);
}

void KyFixture::Leave(TWinControl* control)
{
    SendMessageA(control->Handle(), WM_MOUSELEAVE, 0, 0);
}

void KyFixture::KeyDown(TWinControl* control, WORD key)
{
    SendMessageA(control->Handle(), WM_KEYDOWN, key, 1);
}

void KyFixture::KeyUp(TWinControl* control, WORD key)
{
    SendMessageA(control->Handle(), WM_KEYUP, key, 0xC0000001);
}

void KyFixture::Type(TWinControl* control, WORD key)
{
    KeyDown(control, key);
    if (key == VK_SPACE || key == VK_RETURN)
        SendMessageA(control->Handle(), WM_CHAR, key == VK_SPACE ? ' ' : '\r', 1);
    KeyUp(control, key);
}

std::unique_ptr<TBitmap> KyFixture::Screenshot()
{
    HWND window = form->Handle();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    auto shot = std::make_unique<TBitmap>();
    shot->SetPixelFormat(pf24bit);
    shot->SetSize(form->Width(), form->Height());
    // The window's own surface, not the screen: a window of a test running
    // alongside may lie over this one.
    HDC own = GetWindowDC(window);
    BitBlt(shot->Canvas()->Handle(), 0, 0, form->Width(), form->Height(), own, 0, 0, SRCCOPY);
    ReleaseDC(window, own);
    return shot;
}

}  // namespace kytest
