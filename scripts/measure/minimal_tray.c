/* The yardstick for the program's start-up and quit: a hidden window, a
   tray icon and a message loop, nothing else. It ends on WM_USER with the
   signature 0x55 in the low byte of wParam, as the program does. */

#include <windows.h>
#include <shellapi.h>

#define TRAY_CALLBACK (WM_USER + 200)

static NOTIFYICONDATAA g_icon;

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER && (wParam & 0xFF) == 0x55) {
        Shell_NotifyIconA(NIM_DELETE, &g_icon);
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    WNDCLASSA windowClass = {0};
    MSG message;
    HWND window;
    (void)previous;
    (void)commandLine;
    (void)show;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TMinimalTray";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(0, "TMinimalTray", "MinimalTray", WS_POPUP, 0, 0, 0, 0, NULL, NULL, instance, NULL);
    if (window == NULL)
        return 1;

    g_icon.cbSize = sizeof g_icon;
    g_icon.hWnd = window;
    g_icon.uID = 1;
    g_icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    g_icon.uCallbackMessage = TRAY_CALLBACK;
    g_icon.hIcon = LoadIconA(NULL, (LPCSTR)IDI_APPLICATION);
    lstrcpynA(g_icon.szTip, "MinimalTray", sizeof g_icon.szTip);
    Shell_NotifyIconA(NIM_ADD, &g_icon);

    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
