#pragma once
// Zendrix.exe from the program folder as a separate process on a private
// simulated board, and what other processes can see of it: its windows,
// their state, its tray icon and its message boxes.

#include <windows.h>

#include <functional>
#include <string>

#include "BoardFixture.h"
#include "TestProcess.h"

namespace apptest {

// How long a test waits for what it caused to show.
constexpr DWORD kWaitLimitMs = 20000;
// How long the program may take to start, to answer or to end: long, since
// a loaded machine (two test runs side by side) only makes it slower, and a
// wait for it ends as soon as it answers.
constexpr DWORD kProgramLimitMs = 120000;

// Waits (pumping this thread's messages) until `done` or `limitMs` passed.
bool WaitFor(const std::function<bool()>& done, DWORD limitMs = kWaitLimitMs);

// A top-level window of process `pid` with class `className` (and `caption`
// when given); null when there is none.
HWND FindProcessWindow(DWORD pid, const char* className, const char* caption = nullptr);

// Whether the shell holds a tray icon for (window, id): a modify that
// changes nothing succeeds only for a known icon.
bool TrayHasIcon(HWND window, UINT id);
// Takes the icon (window, id) out of the shell, as a shell restart would.
bool RemoveTrayIcon(HWND window, UINT id);

class RunningProgram {
public:
    explicit RunningProgram(const std::string& board = "default");
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // An environment variable for the next starts (beside the board's).
    void SetEnvironment(const std::string& name, const std::string& value);
    // Starts the program from a copy of the program folder (build\dist by default).
    void SetProgramFolder(const std::string& folder) { m_folder = folder; }

    // Starts Zendrix.exe with `arguments`; false when it could not start.
    bool Start(const std::string& arguments = "");
    // Starts it and waits until its windows and its tray icon exist.
    bool StartAndWaitForWindow();
    // Waits until the started program's windows and tray icon exist and its
    // start-up has run to its end.
    bool WaitForWindow();
    // Another start of the program with the same board, run to its end.
    zxtest::ProcessResult RunAgain(const std::string& arguments = "");

    zxtest::BackgroundProcess& Process() { return m_process; }
    zxtest::BoardFixture& Board() { return m_board; }
    HWND MainWindow() const;     // "TMainForm" / "Zendrix"
    HWND ShadowWindow() const;   // "TShadowForm" / "ShadowForm"
    HWND AppWindow() const;      // "TApplication" / "Zendrix"
    HWND MessageWindow() const;  // "TMessageForm" / "ZendrixHelp"
    // Ends the program as other programs do (WM_USER with the signature)
    // and waits for its end; false when it did not end.
    bool Quit();
    // Whether it runs, or how it ended: for failure messages.
    std::string Describe();

private:
    std::string CommandLine(const std::string& arguments) const;

    zxtest::Environment Environment();

    std::string m_folder = zxtest::DistDir();
    zxtest::BoardFixture m_board;
    zxtest::Environment m_extra;
    zxtest::BackgroundProcess m_process;
};

}  // namespace apptest
