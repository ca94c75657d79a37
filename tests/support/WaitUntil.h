#pragma once
// Waiting on a condition instead of a fixed time: the test goes on as soon
// as the condition holds, and a slow machine only makes it wait longer.

#include <windows.h>

#include <functional>

namespace zxtest {

// Polls `condition` until it holds (true) or `limitMs` passed (false).
inline bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs = 20000, DWORD pollMs = 10)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= limitMs)
            return condition();
        Sleep(pollMs);
    }
    return true;
}

}  // namespace zxtest
