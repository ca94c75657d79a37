#include "MessageBoxCatcher.h"

namespace zxtest {

namespace {
thread_local MessageBoxCatcher* t_current = nullptr;

BOOL CALLBACK FindText(HWND child, LPARAM textOut)
{
    char className[32];
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0)
        return TRUE;
    char text[4096];
    if (GetWindowTextA(child, text, sizeof text) > 0) {
        *reinterpret_cast<std::string*>(textOut) = text;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

MessageBoxCatcher::MessageBoxCatcher(int answer) : m_answer(answer)
{
    m_previous = t_current;
    t_current = this;
    m_hook = SetWindowsHookExA(WH_CBT, &MessageBoxCatcher::HookProc, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
    t_current = m_previous;
}

LRESULT CALLBACK MessageBoxCatcher::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && t_current) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[16];
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0)
            t_current->Catch(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxCatcher::Catch(HWND box)
{
    CaughtBox caught;
    char caption[1024];
    GetWindowTextA(box, caption, sizeof caption);
    caught.caption = caption;
    EnumChildWindows(box, FindText, reinterpret_cast<LPARAM>(&caught.text));
    m_boxes.push_back(caught);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(m_answer, BN_CLICKED), 0);
}

}  // namespace zxtest
