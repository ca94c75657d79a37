#include "RealInput.h"

#include <vector>

namespace apptest {

namespace {

void Send(std::vector<INPUT> inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT MouseInput(DWORD flags, LONG dx = 0, LONG dy = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    return input;
}

INPUT KeyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Absolute input coordinates: 0..65535 across the primary screen.
LONG Normalised(LONG coordinate, int extent)
{
    return static_cast<LONG>((static_cast<LONGLONG>(coordinate) * 65536 + extent / 2) / extent);
}

// Lets the input reach the other process's queue before the next step.
void Pause()
{
    Sleep(20);
}

}  // namespace

bool PointerTo(POINT at)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalised(at.x, width), Normalised(at.y, height))});
    Pause();
    POINT now{};
    GetCursorPos(&now);
    return now.x == at.x && now.y == at.y;
}

void PressLeft()
{
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN)});
    Pause();
}

void ReleaseLeft()
{
    Send({MouseInput(MOUSEEVENTF_LEFTUP)});
    Pause();
}

void ClickScreen(POINT at)
{
    PointerTo(at);
    PressLeft();
    ReleaseLeft();
}

void DragScreen(POINT from, POINT to, int steps)
{
    PointerTo(from);
    PressLeft();
    for (int i = 1; i <= steps; ++i)
        PointerTo(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    ReleaseLeft();
}

void PressKey(WORD key, std::initializer_list<WORD> held)
{
    std::vector<INPUT> inputs;
    for (WORD modifier : held)
        inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto modifier = held.end(); modifier != held.begin();)
        inputs.push_back(KeyInput(*--modifier, true));
    Send(inputs);
    Pause();
}

bool BringToFront(HWND window)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (GetForegroundWindow() == window)
            return true;
        SetForegroundWindow(window);
        Sleep(20);
    }
    return GetForegroundWindow() == window;
}

}  // namespace apptest
