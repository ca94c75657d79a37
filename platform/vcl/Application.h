#pragma once
// The application object: a hidden top-level window of class "TApplication"
// whose caption is the Title (top-level, so HWND_BROADCAST reaches it), the
// forms it owns, and the message loop. OnMessage sees every message taken
// from the queue (posted messages, not sent ones) before translation and
// dispatch; setting Handled stops the dispatch.
//
// Each module that links this library has its own `Application` pointer. A
// library that serves the program's windows (Dovrel) points its own at the
// program's object; the object layouts agree because both modules compile
// this library with the same flags.

#include <windows.h>

#include <string>

#include "platform/vcl/Classes.h"

class TCustomForm;
class THintWindow;
class TControl;

using TMessageEvent = TClosure<MSG&, bool&>;
using TExceptionEvent = TClosure<TObject*, const char*>;
// Answers whether a queued message ends the program (sets the bool).
using TEndTest = TClosure<const MSG&, bool&>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Makes the application window.
    void Initialize();
    HWND Handle();
    bool HandleAllocated() const { return m_handle != nullptr; }
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title);

    // Creates a form owned by the application; the first one becomes MainForm.
    template <class T>
    void CreateForm(T*& reference)
    {
        T* form = new T(this);
        reference = form;
        FormCreated(form);
    }
    TCustomForm* MainForm() const { return m_mainForm; }
    bool ShowMainForm() const { return m_showMainForm; }
    void SetShowMainForm(bool show) { m_showMainForm = show; }

    // Shows the main form (when ShowMainForm) and runs the loop until
    // Terminate; then frees the forms and the other components it owns.
    void Run();
    void Terminate();
    bool Terminated() const { return m_terminated; }
    // For a program that ends as soon as Run returns: the pictures of the
    // forms Run frees are then left to the system, which takes a process's
    // memory back at once (freed one by one, the hundreds of pictures of a
    // skinned window cost much of the quit).
    void SetEndsWithRun(bool ends) { m_endsWithRun = ends; }
    // True while Run frees the forms of a program that ends with it.
    bool FreeingAtEnd() const { return m_freeingAtEnd; }
    // The message that ends the program, and the test that tells it from
    // others of that number. While one waits in the queue, the loop drops
    // the work it was asked to do later that nobody would see any more (the
    // windows of controls not made yet); the end message itself keeps its
    // place among the other programs' messages.
    void SetEndMessage(UINT message, const TEndTest& test);
    bool EndWaiting();
    // Handles one message, or waits for the next when the queue is empty.
    void HandleMessage();
    // Handles every message in the queue and returns.
    void ProcessMessages();
    void Minimize();
    void Restore();
    bool Minimized() const { return m_minimized; }
    // Shows the text of an exception that was caught at the top of a
    // handler; while that box is open, further ones are only traced
    // (OutputDebugString).
    void ShowException(const char* message);
    void ShowException(const std::exception& error) { ShowException(error.what()); }
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);
    std::string ExeName() const;

    // Hints of controls with ShowHint and a Hint text.
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool show);
    int HintPause() const { return m_hintPause; }
    void SetHintPause(int milliseconds) { m_hintPause = milliseconds; }
    int HintHidePause() const { return m_hintHidePause; }
    void SetHintHidePause(int milliseconds) { m_hintHidePause = milliseconds; }
    void CancelHint();
    THintWindow* HintWindow() const { return m_hintWindow; }

    TMessageEvent OnMessage;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnIdle;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    // Replaces the standard exception box when set.
    TExceptionEvent OnException;

    // Called by the forms.
    void FormCreated(TCustomForm* form);
    void ActivateChanged(bool active);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool ProcessMessage(MSG& message);
    void Idle();
    void WndProc(TMessage& message);
    void TrackHint(const MSG& message);
    void ShowHintNow();

    HWND m_handle = nullptr;
    std::string m_title;
    TCustomForm* m_mainForm = nullptr;
    bool m_showMainForm = true;
    bool m_terminated = false;
    bool m_endsWithRun = false;
    bool m_freeingAtEnd = false;
    bool m_active = false;
    bool m_minimized = false;
    std::vector<HWND> m_hiddenByMinimize;
    bool m_showHint = true;
    int m_hintPause = 500;
    int m_hintHidePause = 2500;
    TControl* m_hintControl = nullptr;
    THintWindow* m_hintWindow = nullptr;
    bool m_hintShown = false;
    bool m_showingException = false;
    UINT m_endMessage = 0;
    TEndTest m_endTest;
};

// This module's application object (created at start-up, never null).
extern TApplication* Application;
