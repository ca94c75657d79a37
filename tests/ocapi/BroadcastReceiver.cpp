#include "BroadcastReceiver.h"

#include "ocapi/ZxOcLib.h"

namespace ocapitest {

namespace {

const char kClassName[] = "ZxOcLibTestBroadcastReceiver";

}  // namespace

BroadcastReceiver::BroadcastReceiver()
{
    m_message = RegisterWindowMessageA(ZXOC_BROADCAST_MESSAGE_NAME);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    m_window = CreateWindowExA(0, kClassName, "ZxOcLib test receiver", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               windowClass.hInstance, this);
}

BroadcastReceiver::~BroadcastReceiver()
{
    if (m_window)
        DestroyWindow(m_window);
}

void BroadcastReceiver::Pump(DWORD ms)
{
    DWORD end = GetTickCount() + ms;
    MSG message;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(10);
    }
}

LRESULT CALLBACK BroadcastReceiver::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto self = reinterpret_cast<BroadcastReceiver*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && self->m_message != 0 && message == self->m_message) {
        self->m_received.push_back({wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace ocapitest
