// The flashobj.dll stand-in: each movie is an owned pop-up window that the
// program places in screen coordinates. Function calls of the program reach
// the movie; the movie's call-outs reach the program's callback, always from
// the window's own message handling (never from inside a call of the
// program), on the thread that made the window.
//
// With FLASHOBJ_LOG naming a file, every call and call-out is one line.

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>

#include "platform/flashobj/FlashObjLibrary.h"
#include "platform/flashobj/Movie.h"
#include "platform/standinlog/AppendLine.h"

namespace {

constexpr wchar_t kWindowClass[] = L"ZxFlashMovie";
constexpr UINT WM_MOVIE_CALLOUT = WM_APP + 1;

extern "C" IMAGE_DOS_HEADER __ImageBase;

std::string Utf8(const std::wstring& text)
{
    int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

void LogLine(const char* format, ...)
{
    const std::string path = standin::LogPathFrom("FLASHOBJ_LOG");
    if (path.empty())
        return;
    char line[2048];
    va_list arguments;
    va_start(arguments, format);
    int used = std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    if (used >= 0)
        standin::AppendLine(path, std::string(line, std::min<size_t>(static_cast<size_t>(used), sizeof line - 1)));
}

// What one movie window holds.
struct MovieHost {
    std::unique_ptr<flashobj::Movie> movie;
    FlashCallCallback callback = nullptr;
    std::deque<std::wstring> callOuts;  // waiting for the window's message handling
};

MovieHost* HostOf(HWND window)
{
    return window && IsWindow(window) ? reinterpret_cast<MovieHost*>(GetWindowLongPtrW(window, GWLP_USERDATA))
                                      : nullptr;
}

void Paint(HWND window, MovieHost* host)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    // Drawn off screen first, so the movie never flickers.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    host->movie->Paint(memory, area);
    BitBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(window, &paint);
}

void DeliverCallOuts(MovieHost* host)
{
    while (!host->callOuts.empty()) {
        std::wstring text = host->callOuts.front();
        host->callOuts.pop_front();
        LogLine("callout text=%s callback=%d", Utf8(text).c_str(), host->callback ? 1 : 0);
        if (host->callback)
            host->callback(0, 0, text.c_str(), 0);
    }
}

LRESULT CALLBACK MovieWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MovieHost* host = HostOf(window);
    switch (message) {
    case WM_PAINT:
        if (host) {
            Paint(window, host);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_LBUTTONUP:
        if (host) {
            RECT area;
            GetClientRect(window, &area);
            host->movie->Click(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}, area);
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_MOVIE_CALLOUT:
        if (host)
            DeliverCallOuts(host);
        return 0;
    case WM_NCDESTROY:
        delete host;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterMovieClass()
{
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = MovieWindowProc;
        windowClass.hInstance = reinterpret_cast<HINSTANCE>(&__ImageBase);
        windowClass.hCursor = LoadCursor(nullptr, IDC_HAND);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    return registered;
}

}  // namespace

extern "C" {

__declspec(dllexport) HWND WINAPI flash_create(HWND parent, const wchar_t* moviePath)
{
    const std::wstring path = moviePath ? moviePath : L"";
    HWND window = nullptr;
    if (RegisterMovieClass()) {
        window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, parent,
                                 nullptr, reinterpret_cast<HINSTANCE>(&__ImageBase), nullptr);
    }
    if (window) {
        auto* host = new MovieHost;
        host->movie = flashobj::LoadMovie(path);
        host->movie->SetCallOut([window, host](const std::wstring& text) {
            host->callOuts.push_back(text);
            PostMessageW(window, WM_MOVIE_CALLOUT, 0, 0);
        });
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
    }
    LogLine("flash_create movie=%s result=%d", Utf8(path).c_str(), window ? 1 : 0);
    return window;
}

__declspec(dllexport) int WINAPI flash_setFlashCallCallbackFunc(HWND movie, FlashCallCallback callback)
{
    MovieHost* host = HostOf(movie);
    if (host)
        host->callback = callback;
    LogLine("flash_setFlashCallCallbackFunc result=%d", host ? 1 : 0);
    return host ? 1 : 0;
}

__declspec(dllexport) int WINAPI flash_callFunction(HWND movie, const FlashCallBlock* block)
{
    MovieHost* host = HostOf(movie);
    const std::wstring request = block && block->request ? block->request : L"";
    LogLine("flash_callFunction request=%s", Utf8(request).c_str());
    std::wstring name, argument;
    if (!host || !flashobj::ParseInvoke(request, &name, &argument))
        return 0;
    host->movie->Call(name, argument);
    InvalidateRect(movie, nullptr, FALSE);
    return 1;
}

__declspec(dllexport) int WINAPI flash_play(HWND movie)
{
    LogLine("flash_play");
    return HostOf(movie) ? 1 : 0;
}

__declspec(dllexport) int WINAPI flash_stop(HWND movie)
{
    LogLine("flash_stop");
    return HostOf(movie) ? 1 : 0;
}

}  // extern "C"
