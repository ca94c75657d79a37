#include "PrivateDesktop.h"

namespace zxtest {

PrivateDesktop::PrivateDesktop()
{
    static LONG serial = 0;
    m_name =
        "ZxTestDesktop-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(InterlockedIncrement(&serial));
    m_desktop = CreateDesktopA(m_name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
}

PrivateDesktop::PrivateDesktop(const std::string& existingName) : m_name(existingName)
{
    m_desktop = OpenDesktopA(m_name.c_str(), 0, FALSE, GENERIC_ALL);
}

PrivateDesktop::~PrivateDesktop()
{
    if (m_previous)
        SetThreadDesktop(m_previous);
    if (m_desktop)
        CloseDesktop(m_desktop);
}

bool PrivateDesktop::AttachCurrentThread()
{
    if (!m_desktop)
        return false;
    HDESK current = GetThreadDesktop(GetCurrentThreadId());
    if (!SetThreadDesktop(m_desktop))
        return false;
    m_previous = current;
    return true;
}

}  // namespace zxtest
