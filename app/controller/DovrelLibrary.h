#pragma once
// The program's binding of the dialog library "Dovrel.dll": loaded once from
// the program folder, its five dialog entry points looked up by name, kept
// for the life of the process. When the file or any of the five entry
// points is missing, start-up tells the user once, and from then on every
// dialog answers Cancel, so nothing that waits for a Yes is ever written.

#include <windows.h>

#include <string>

class TApplication;

constexpr char kDovrelFileName[] = "Dovrel.dll";

class DovrelLibrary {
public:
    // Modal results of the dialogs.
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;
    static constexpr int kYes = 6;
    static constexpr int kNo = 7;

    // Loads <program folder>\Dovrel.dll and binds its entry points.
    DovrelLibrary();

    // True when the file and all five entry points were found.
    bool IsBound() const { return m_bound; }
    // What is missing, for the start-up message; empty when bound.
    const std::string& Problem() const { return m_problem; }

    // Hands the library the application object; nothing when not bound.
    void Create(TApplication* application) const;
    int ShowModal() const;                                      // Save Profile dialog
    int AskDialog(const char* text, int left, int top) const;   // 6 Yes, 7 No, 2 Cancel
    int WarnDialog(const char* text, int left, int top) const;  // 1 OK, 2 Cancel
    int AskDialogDanger(const char* text, int left, int top) const;

private:
    using CreateFunction = void(WINAPI*)(TApplication*);
    using ShowFunction = int(WINAPI*)();
    using AskFunction = int(WINAPI*)(const char*, int, int);

    template <typename Function>
    Function Bind(const char* name);

    HMODULE m_module = nullptr;  // never freed
    CreateFunction m_create = nullptr;
    ShowFunction m_showModal = nullptr;
    AskFunction m_ask = nullptr;
    AskFunction m_warn = nullptr;
    AskFunction m_askDanger = nullptr;
    bool m_bound = false;
    std::string m_problem;
};
