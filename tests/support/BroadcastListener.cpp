#include "BroadcastListener.h"

#include "WaitUntil.h"
#include "ocapi/ZxOcLib.h"

namespace zxtest {

namespace {

constexpr char kListenerClass[] = "ZxTestBroadcastListener";

void DispatchPending()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

}  // namespace

BroadcastListener::BroadcastListener() : m_message(RegisterWindowMessageA(ZXOC_BROADCAST_MESSAGE_NAME))
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &BroadcastListener::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kListenerClass;
    RegisterClassA(&windowClass);
    m_window = CreateWindowExA(0, kListenerClass, "listener", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

BroadcastListener::~BroadcastListener()
{
    if (m_window != nullptr)
        DestroyWindow(m_window);
}

LRESULT CALLBACK BroadcastListener::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<BroadcastListener*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && self->m_message != 0 && message == self->m_message) {
        self->m_received.push_back({wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void BroadcastListener::Pump(DWORD ms)
{
    const DWORD end = GetTickCount() + ms;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        DispatchPending();
        Sleep(10);
    }
}

bool BroadcastListener::WaitForMoreThan(size_t count)
{
    return WaitUntil([&] {
        DispatchPending();
        return m_received.size() > count;
    });
}

void BroadcastListener::Settle(HWND window)
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer);
    // A broadcast posted by the program before it answered is in this
    // thread's queue by now.
    DispatchPending();
}

}  // namespace zxtest
