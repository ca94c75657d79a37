#pragma once
// Start-up of the program's windows is all or nothing. While the guard
// lives, a failure that a handler would show (the application's exception
// display) is kept instead, and so is the first program file that could not
// be read (UnreadableFile::Report). When start-up has failed, Abandon takes
// down what start-up built - the tray icon and every form - and only then
// shows the one message: a second start meanwhile finds no half-built main
// window to show, and the tray offers nothing to open.

#include <string>

#include "platform/vcl/Application.h"

class StartupGuard {
public:
    StartupGuard();
    ~StartupGuard();  // the exception display as it was before
    StartupGuard(const StartupGuard&) = delete;
    StartupGuard& operator=(const StartupGuard&) = delete;

    // Keeps `message` unless a failure is kept already.
    void Fail(const std::string& message);
    // The first failure kept, else the first unreadable program file; empty
    // while start-up has gone well.
    std::string Failure() const;
    // Takes down the tray icon and the application's forms, then shows
    // Failure() with the application's exception display.
    void Abandon();

private:
    void OnException(TObject* sender, const char* message);

    std::string m_failure;
    TExceptionEvent m_previous;
};
