#pragma once
// Catches the message boxes that the code under test shows on this thread:
// records caption and text, and answers each box with a chosen button, so
// that a test runs unattended and can check what the user would have read.

#include <windows.h>

#include <string>
#include <vector>

namespace zxtest {

struct CaughtBox {
    std::string caption;
    std::string text;
};

class MessageBoxCatcher {
public:
    // `answer` is the command id that closes each box (IDOK, IDYES, ...).
    explicit MessageBoxCatcher(int answer = IDOK);
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<CaughtBox>& Boxes() const { return m_boxes; }
    void Clear() { m_boxes.clear(); }
    void SetAnswer(int answer) { m_answer = answer; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void Catch(HWND box);

    HHOOK m_hook = nullptr;
    int m_answer;
    std::vector<CaughtBox> m_boxes;
    MessageBoxCatcher* m_previous = nullptr;
};

}  // namespace zxtest
