#pragma once
// Input as the user gives it: through the system's input queue (SendInput),
// so it reaches whatever window lies under the pointer or holds the focus,
// with the capture, activation and key translation that real input gets.

#include <windows.h>

#include <initializer_list>

namespace apptest {

// Moves the pointer to screen point `at`; false when it did not get there.
bool PointerTo(POINT at);
void PressLeft();
void ReleaseLeft();
// Move, press and release at screen point `at`.
void ClickScreen(POINT at);
// A press at `from`, `steps` moves on the line to `to`, and the release there.
void DragScreen(POINT from, POINT to, int steps);
// `key` pressed and released while `held` (e.g. VK_MENU) are held down.
void PressKey(WORD key, std::initializer_list<WORD> held = {});
// Makes `window` the foreground window, so that key input reaches it;
// false when it did not become so.
bool BringToFront(HWND window);

}  // namespace apptest
