#include "BroadcastListener.h"

#include "RunningProgram.h"

namespace apptest {

namespace {

constexpr char kListenerClass[] = "ZxTestBroadcastListener";

}  // namespace

BroadcastListener::BroadcastListener() : m_message(RegisterWindowMessageA("WM_MEROVAN_BROADCAST_MESSAGE"))
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &BroadcastListener::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kListenerClass;
    RegisterClassA(&windowClass);
    m_window = CreateWindowExA(0, kListenerClass, "listener", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

BroadcastListener::~BroadcastListener()
{
    DestroyWindow(m_window);
}

LRESULT CALLBACK BroadcastListener::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<BroadcastListener*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == self->m_message) {
        self->m_received.push_back({wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool BroadcastListener::WaitForMoreThan(size_t count)
{
    return WaitFor([&] { return m_received.size() > count; });
}

void BroadcastListener::Settle(HWND window)
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer);
    // A broadcast posted by the program before it answered is in this
    // thread's queue by now.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

}  // namespace apptest
