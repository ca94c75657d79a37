#include "RunningProgram.h"

#include <shellapi.h>

#include "TestPaths.h"

namespace apptest {

namespace {

constexpr DWORD kPollMs = 50;

struct WindowQuery {
    DWORD pid;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    auto* query = reinterpret_cast<WindowQuery*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != query->pid)
        return TRUE;
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, query->className) != 0)
        return TRUE;
    if (query->caption != nullptr) {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        if (lstrcmpA(text, query->caption) != 0)
            return TRUE;
    }
    query->found = window;
    return FALSE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, DWORD limitMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs)
            return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(kPollMs);
    }
    return true;
}

HWND FindProcessWindow(DWORD pid, const char* className, const char* caption)
{
    WindowQuery query{pid, className, caption, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// Sends the shell a record that names icon (window, id) and changes nothing else.
bool NotifyShell(DWORD message, HWND window, UINT id)
{
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconA(message, &data) != FALSE;
}

bool TrayHasIcon(HWND window, UINT id)
{
    return NotifyShell(NIM_MODIFY, window, id);
}

bool RemoveTrayIcon(HWND window, UINT id)
{
    return NotifyShell(NIM_DELETE, window, id);
}

RunningProgram::RunningProgram(const std::string& board) : m_board(board) {}

RunningProgram::~RunningProgram()
{
    if (m_process.IsRunning() && !Quit())
        m_process.Kill();
}

std::string RunningProgram::CommandLine(const std::string& arguments) const
{
    std::string line = zxtest::Quote(zxtest::JoinPath(m_folder, "Zendrix.exe"));
    return arguments.empty() ? line : line + " " + arguments;
}

void RunningProgram::SetEnvironment(const std::string& name, const std::string& value)
{
    m_extra.emplace_back(name, value);
}

zxtest::Environment RunningProgram::Environment()
{
    zxtest::Environment environment = m_board.Environment();
    environment.insert(environment.end(), m_extra.begin(), m_extra.end());
    return environment;
}

bool RunningProgram::Start(const std::string& arguments)
{
    return m_process.Start(CommandLine(arguments), Environment());
}

bool RunningProgram::StartAndWaitForWindow()
{
    return Start() && WaitForWindow();
}

bool RunningProgram::WaitForWindow()
{
    // The tray icon comes with the controller's part of start-up.
    auto started = [this] {
        HWND main = MainWindow();
        return main != nullptr && MessageWindow() != nullptr && ShadowWindow() != nullptr && TrayHasIcon(main, 1);
    };
    if (!WaitFor([&] { return started() || !m_process.IsRunning(); }, kProgramLimitMs) || !started())
        return false;
    // A message from another thread is taken only in the message loop: once
    // it is answered, start-up has run to its end.
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, kProgramLimitMs, &answer) != 0;
}

zxtest::ProcessResult RunningProgram::RunAgain(const std::string& arguments)
{
    return zxtest::RunProcess(CommandLine(arguments), Environment());
}

HWND RunningProgram::MainWindow() const
{
    return FindProcessWindow(m_process.Id(), "TMainForm", "Zendrix");
}

HWND RunningProgram::ShadowWindow() const
{
    return FindProcessWindow(m_process.Id(), "TShadowForm", "ShadowForm");
}

HWND RunningProgram::AppWindow() const
{
    return FindProcessWindow(m_process.Id(), "TApplication", "Zendrix");
}

HWND RunningProgram::MessageWindow() const
{
    return FindProcessWindow(m_process.Id(), "TMessageForm", "ZendrixHelp");
}

bool RunningProgram::Quit()
{
    DWORD code = 0;
    HWND main = MainWindow();
    // Without its main window nothing tells the program to end.
    if (main == nullptr)
        return m_process.Wait(0, &code);
    PostMessageA(main, WM_USER, 0x55, 0);
    return m_process.Wait(kProgramLimitMs, &code);
}

std::string RunningProgram::Describe()
{
    DWORD code = 0;
    if (!m_process.Wait(0, &code))
        return "the program is running";
    char text[64];
    wsprintfA(text, "the program ended with exit code 0x%08lX", code);
    return text;
}

}  // namespace apptest
