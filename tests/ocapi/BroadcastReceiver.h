#pragma once
// A top-level window that records every change broadcast it receives, as
// the windows of other programs would.

#include <windows.h>

#include <vector>

namespace ocapitest {

struct ReceivedBroadcast {
    WPARAM wParam;
    LPARAM lParam;
};

class BroadcastReceiver {
public:
    BroadcastReceiver();
    ~BroadcastReceiver();
    BroadcastReceiver(const BroadcastReceiver&) = delete;
    BroadcastReceiver& operator=(const BroadcastReceiver&) = delete;

    bool IsReady() const { return m_window != nullptr && m_message != 0; }
    // Dispatches this thread's messages for `ms` milliseconds.
    void Pump(DWORD ms);
    const std::vector<ReceivedBroadcast>& Received() const { return m_received; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_message = 0;
    HWND m_window = nullptr;
    std::vector<ReceivedBroadcast> m_received;
};

}  // namespace ocapitest
