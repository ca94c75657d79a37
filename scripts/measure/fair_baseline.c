/* The fair yardstick for the program's start-up: a small Win32 program that
   does the window work the program must do before its message loop runs,
   and nothing else. It makes as many windows as the program does, of the
   same kinds and sizes: 11 top-level windows, 5 of them layered (1 keyed by
   a colour, 4 per-pixel alpha, each given its content) and 3 shown (the
   monitor among them), 39 child windows and 3 message-only windows; it
   sleeps the 100 ms the program's start-up waits, adds its tray icon and
   runs its loop. It ends on WM_USER with the signature 0x55 in the low byte
   of wParam, as the program does. */

#include <windows.h>
#include <shellapi.h>

#define TRAY_CALLBACK (WM_USER + 200)
#define CLASS_NAME "TFairBaseline"

enum Layering { OPAQUE_WINDOW, COLOUR_KEYED, PER_PIXEL };

typedef struct {
    int width, height;
    enum Layering layering;
    int shown;
    int children; /* child windows on it, in a row */
} TopLevel;

/* The program's top-level windows, in the order it makes them. */
static const TopLevel kTopLevels[] = {
    {636, 245, COLOUR_KEYED, 0, 29}, /* main window */
    {651, 262, PER_PIXEL, 0, 0},     /* its shadow */
    {232, 193, OPAQUE_WINDOW, 0, 0}, /* message window */
    {0, 0, OPAQUE_WINDOW, 0, 0},     /* application window */
    {465, 283, OPAQUE_WINDOW, 0, 6}, /* the dialog library's forms */
    {480, 299, PER_PIXEL, 0, 0},     {281, 203, OPAQUE_WINDOW, 0, 4},
    {296, 219, PER_PIXEL, 0, 0},     {131, 146, PER_PIXEL, 1, 0}, /* the monitor, shown */
    {121, 120, OPAQUE_WINDOW, 1, 0},                              /* its two movie windows, shown */
    {12, 12, OPAQUE_WINDOW, 1, 0},
};
#define TOP_LEVEL_COUNT (int)(sizeof kTopLevels / sizeof kTopLevels[0])
#define MESSAGE_ONLY_COUNT 3

static NOTIFYICONDATAA g_icon;
static HWND g_main;

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER && (wParam & 0xFF) == 0x55) {
        Shell_NotifyIconA(NIM_DELETE, &g_icon);
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY && window == g_main) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

/* A 32-bit top-down picture of the window's size with a soft gradient. */
static HBITMAP MakePicture(int width, int height, int alpha)
{
    BITMAPINFO info;
    void* bits = NULL;
    HBITMAP picture;
    int x, y;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    picture = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (picture == NULL)
        return NULL;
    for (y = 0; y < height; ++y) {
        DWORD* row = (DWORD*)bits + (size_t)y * width;
        for (x = 0; x < width; ++x) {
            DWORD a = alpha ? (DWORD)((x + y) * 255 / (width + height)) : 0;
            DWORD c = (DWORD)(x * 255 / width);
            /* Premultiplied for per-pixel alpha. */
            row[x] = alpha ? (a << 24) | ((c * a / 255) << 16) | ((c * a / 255) << 8) | (c * a / 255)
                           : (c << 16) | (c << 8) | 0x40;
        }
    }
    return picture;
}

static void GiveContent(HWND window, const TopLevel* window_kind)
{
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = MakePicture(window_kind->width, window_kind->height, window_kind->layering == PER_PIXEL);
    HGDIOBJ previous = SelectObject(memory, picture);
    if (window_kind->layering == PER_PIXEL) {
        POINT origin = {0, 0};
        SIZE size = {window_kind->width, window_kind->height};
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        UpdateLayeredWindow(window, screen, NULL, &size, memory, &origin, 0, &blend, ULW_ALPHA);
    } else {
        HDC target = GetDC(window);
        SetLayeredWindowAttributes(window, RGB(255, 0, 255), 255, LWA_COLORKEY);
        BitBlt(target, 0, 0, window_kind->width, window_kind->height, memory, 0, 0, SRCCOPY);
        ReleaseDC(window, target);
    }
    SelectObject(memory, previous);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
}

static HWND MakeTopLevel(HINSTANCE instance, const TopLevel* window_kind, const char* caption, int index)
{
    DWORD exStyle = window_kind->layering != OPAQUE_WINDOW ? WS_EX_LAYERED : 0;
    HWND window = CreateWindowExA(exStyle | WS_EX_TOOLWINDOW, CLASS_NAME, caption, WS_POPUP, 40 + 20 * index,
                                  40 + 20 * index, window_kind->width, window_kind->height, NULL, NULL, instance, NULL);
    int i;
    if (window == NULL)
        return NULL;
    for (i = 0; i < window_kind->children; ++i)
        CreateWindowExA(0, CLASS_NAME, "", WS_CHILD | WS_VISIBLE, 8 + 24 * (i % 16), 8 + 24 * (i / 16), 20, 20, window,
                        NULL, instance, NULL);
    if (window_kind->layering != OPAQUE_WINDOW)
        GiveContent(window, window_kind);
    if (window_kind->shown)
        ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    WNDCLASSA windowClass;
    MSG message;
    int i;
    (void)previous;
    (void)commandLine;
    (void)show;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = CLASS_NAME;
    RegisterClassA(&windowClass);

    /* The first top-level window is the main window the measurement looks for. */
    for (i = 0; i < TOP_LEVEL_COUNT; ++i) {
        HWND window = MakeTopLevel(instance, &kTopLevels[i], i == 0 ? "FairBaseline" : "", i);
        if (i == 0)
            g_main = window;
    }
    if (g_main == NULL)
        return 1;
    for (i = 0; i < MESSAGE_ONLY_COUNT; ++i)
        CreateWindowExA(0, CLASS_NAME, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, instance, NULL);

    Sleep(100);

    g_icon.cbSize = sizeof g_icon;
    g_icon.hWnd = g_main;
    g_icon.uID = 1;
    g_icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    g_icon.uCallbackMessage = TRAY_CALLBACK;
    g_icon.hIcon = LoadIconA(NULL, (LPCSTR)IDI_APPLICATION);
    lstrcpynA(g_icon.szTip, "FairBaseline", sizeof g_icon.szTip);
    Shell_NotifyIconA(NIM_ADD, &g_icon);

    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
