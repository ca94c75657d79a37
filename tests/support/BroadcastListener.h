#pragma once
// A top-level window of the test process that records every settings-changed
// broadcast it receives, as any other program's window would see it.
// Messages are taken while this thread pumps.

#include <windows.h>

#include <vector>

namespace zxtest {

struct ReceivedBroadcast {
    WPARAM wParam;
    LPARAM lParam;
};

class BroadcastListener {
public:
    BroadcastListener();
    ~BroadcastListener();
    BroadcastListener(const BroadcastListener&) = delete;
    BroadcastListener& operator=(const BroadcastListener&) = delete;

    // False when the window or the message could not be made.
    bool IsReady() const { return m_window != nullptr && m_message != 0; }
    // What arrived so far.
    const std::vector<ReceivedBroadcast>& Received() const { return m_received; }
    void Clear() { m_received.clear(); }
    // Pumps for `ms` milliseconds.
    void Pump(DWORD ms);
    // Pumps until one more broadcast than `count` arrived, or the wait ends.
    bool WaitForMoreThan(size_t count);
    // Pumps until the program has taken everything posted to it before: a
    // message sent to `window` after the posts returns once they are handled.
    static void Settle(HWND window);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    UINT m_message = 0;
    std::vector<ReceivedBroadcast> m_received;
};

}  // namespace zxtest
