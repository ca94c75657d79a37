#pragma once
// A desktop of the test's own. Window messages broadcast to all top-level
// windows reach only the windows of the sender's desktop, so a test that
// counts broadcasts moves its thread here first and never sees those of
// tests running beside it.

#include <windows.h>

#include <string>

namespace zxtest {

class PrivateDesktop {
public:
    PrivateDesktop();  // creates a desktop with a name no other process uses
    // Opens the desktop of that name another process made (a parent that
    // keeps one desktop for all its children: making one costs a second).
    explicit PrivateDesktop(const std::string& existingName);
    ~PrivateDesktop();
    PrivateDesktop(const PrivateDesktop&) = delete;
    PrivateDesktop& operator=(const PrivateDesktop&) = delete;

    bool IsOpen() const { return m_desktop != nullptr; }
    const std::string& Name() const { return m_name; }

    // Moves the calling thread onto this desktop. Fails once the thread has
    // a window or a hook, so call it before creating any.
    bool AttachCurrentThread();

private:
    HDESK m_desktop = nullptr;
    HDESK m_previous = nullptr;
    std::string m_name;
};

}  // namespace zxtest
