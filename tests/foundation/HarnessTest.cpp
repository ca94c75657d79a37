// Proves the harness: a real window on the test display, and the message
// box catcher that later tests rely on.

#include <gtest/gtest.h>

#include <windows.h>

#include "MessageBoxCatcher.h"

namespace {

LRESULT CALLBACK PaintRedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &paint.rcPaint, red);
        DeleteObject(red);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(Harness, RealWindowShowsAndPaintsOnTheDisplay)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PaintRedProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZxHarnessWindow";
    ASSERT_NE(RegisterClassA(&windowClass), 0);

    HWND window = CreateWindowExA(0, "ZxHarnessWindow", "Harness", WS_POPUP, 100, 100, 120, 80, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    EXPECT_TRUE(IsWindowVisible(window));

    EXPECT_EQ(FindWindowA("ZxHarnessWindow", "Harness"), window);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 120);
    EXPECT_EQ(rect.bottom - rect.top, 80);

    // What the screen shows at the window's centre is what it painted.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    HDC screen = GetDC(nullptr);
    COLORREF pixel = GetPixel(screen, 160, 140);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(pixel, RGB(255, 0, 0));

    DestroyWindow(window);
    UnregisterClassA("ZxHarnessWindow", windowClass.hInstance);
}

TEST(Harness, MessageBoxCatcherReadsAndAnswersBoxes)
{
    zxtest::MessageBoxCatcher catcher(IDNO);
    int answer = MessageBoxA(nullptr, "Item[3010011] does not supports IndexToValue", "BiosItem", MB_YESNO);
    EXPECT_EQ(answer, IDNO);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "BiosItem");
    EXPECT_EQ(catcher.Boxes()[0].text, "Item[3010011] does not supports IndexToValue");
}
