#pragma once
// The message record of the library's message path, and the library's own
// control messages (CM_*) and reflected messages (CN_*: WM_* + 0xBC00, sent
// by a parent back to the child a notification came from).

#include <windows.h>

#include "platform/vcl/Closure.h"

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    WORD WParamLo() const { return LOWORD(WParam); }
    WORD WParamHi() const { return HIWORD(WParam); }
    short XPos() const { return static_cast<short>(LOWORD(LParam)); }
    short YPos() const { return static_cast<short>(HIWORD(LParam)); }
};

using TWndMethod = TClosure<TMessage&>;

constexpr UINT CM_BASE = 0xB000;
// To a windowless control as the mouse comes over it and leaves it.
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
// Posted to a form by Release: frees it.
constexpr UINT CM_RELEASE = CM_BASE + 33;
// Posted to a window that got a windowed child: makes the child's window.
constexpr UINT CM_CREATECHILDREN = CM_BASE + 60;

constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
