#include "WindowDriving.h"

#include <algorithm>
#include <cstdio>

#include "DialogFace.h"

namespace apptest {

namespace {

constexpr UINT kMsgShow = WM_USER + 2;
constexpr WPARAM kSignature = 0x55;

struct ChildQuery {
    const char* part;
    HWND found;
};

BOOL CALLBACK TakeVisibleChild(HWND child, LPARAM data)
{
    auto* query = reinterpret_cast<ChildQuery*>(data);
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (std::string(name).find(query->part) == std::string::npos || !IsWindowVisible(child))
        return TRUE;
    query->found = child;
    return FALSE;
}

std::string WritePrefix(DWORD id)
{
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "id=0x%08lX ", static_cast<unsigned long>(id));
    return prefix;
}

}  // namespace

HWND ChildAt(HWND window, POINT at)
{
    HWND child = ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    return child != window ? child : nullptr;
}

void Click(HWND control, POINT inside)
{
    PostMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
}

void ClickNow(HWND control, POINT inside)
{
    const LPARAM at = MAKELPARAM(inside.x, inside.y);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, WM_MOUSEMOVE, 0, at, SMTO_NORMAL, 5000, &result);
    SendMessageTimeoutA(control, WM_LBUTTONDOWN, MK_LBUTTON, at, SMTO_NORMAL, 5000, &result);
    SendMessageTimeoutA(control, WM_LBUTTONUP, 0, at, SMTO_NORMAL, 5000, &result);
}

bool ClickAt(HWND window, POINT at)
{
    HWND child = ChildAt(window, at);
    if (child == nullptr)
        return false;
    MapWindowPoints(window, child, &at, 1);
    Click(child, at);
    return true;
}

HWND ShownWindow(DWORD pid, const char* className)
{
    HWND window = FindProcessWindow(pid, className);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

HWND VisibleChild(HWND parent, const char* part)
{
    ChildQuery query{part, nullptr};
    EnumChildWindows(parent, &TakeVisibleChild, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND DialogButton(HWND dialog, const char* caption)
{
    return FindWindowExA(dialog, nullptr, "KyButtonTx", caption);
}

bool HasWrite(const std::vector<std::string>& writes, DWORD id, int index)
{
    const std::string prefix = WritePrefix(id) + "index=" + std::to_string(index) + " ";
    return std::any_of(writes.begin(), writes.end(),
                       [&](const std::string& write) { return write.rfind(prefix, 0) == 0; });
}

int FirstWriteOf(const std::vector<std::string>& writes, DWORD id)
{
    const std::string prefix = WritePrefix(id);
    for (size_t i = 0; i < writes.size(); ++i)
        if (writes[i].rfind(prefix, 0) == 0)
            return static_cast<int>(i);
    return -1;
}

void WindowDriving::SetUp()
{
    ASSERT_TRUE(m_service.Start("--state 0"));
    if (StartsProgramAtSetUp()) {
        ASSERT_NO_FATAL_FAILURE(StartShown());
    }
}

void WindowDriving::StartShown(const std::function<void(RunningProgram&)>& prepare, const std::string& board)
{
    StopProgram();
    m_program = std::make_unique<RunningProgram>(board);
    if (prepare)
        prepare(*m_program);
    ASSERT_TRUE(m_program->StartAndWaitForWindow()) << m_program->Describe();
    m_main = m_program->MainWindow();
    PostMessageA(m_main, kMsgShow, kSignature, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(m_main) != FALSE; }));
    Settle();
    m_apply = ChildAt(m_main, kApplyAt);
    ASSERT_NE(nullptr, m_apply);
    m_seen = 0;
    NewWrites();
}

void WindowDriving::StopProgram()
{
    if (m_program && m_program->Process().IsRunning()) {
        EXPECT_TRUE(m_program->Quit());
    }
    m_program.reset();
}

void WindowDriving::Settle()
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer);
    Sleep(300);  // the program's own broadcast and the rereads it starts
    SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer);
}

std::vector<std::string> WindowDriving::NewWrites()
{
    std::vector<std::string> all;
    for (const std::string& write : m_program->Board().Writes())
        if (write.rfind("id=0x030600F0 ", 0) != 0)
            all.push_back(write);
    std::vector<std::string> fresh(all.begin() + std::min(m_seen, all.size()), all.end());
    m_seen = all.size();
    return fresh;
}

size_t WindowDriving::NotifyRequestCount() const
{
    const std::vector<std::string> requests = m_service.Requests();
    return static_cast<size_t>(std::count(requests.begin(), requests.end(), std::string(kNotifyLine)));
}

HWND WindowDriving::WaitForAskDialog()
{
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = ShownWindow(Pid(), "TAskDialog")) != nullptr; }))
        return nullptr;
    RECT bounds{};
    GetWindowRect(dialog, &bounds);
    CaptureSteady(dialog, RECT{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top});
    return dialog;
}

void WindowDriving::Answer(HWND dialog, const char* answer)
{
    HWND button = DialogButton(dialog, answer);
    ASSERT_NE(nullptr, button) << answer;
    // The next question may come in the same window at once: it is gone
    // when it hides or shows another question.
    const ScreenPixels asked = CaptureAskMessage(dialog);
    Click(button, POINT{5, 5});
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog) || CaptureAskMessage(dialog) != asked; })) << answer;
}

void WindowDriving::ApplyAnswering(const char* answer)
{
    ASSERT_TRUE(ClickAt(m_main, kApplyAt));
    HWND dialog = WaitForAskDialog();
    ASSERT_NE(nullptr, dialog);
    ASSERT_NO_FATAL_FAILURE(Answer(dialog, answer));
    Settle();
}

}  // namespace apptest
