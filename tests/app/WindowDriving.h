#pragma once
// The running program driven through its window as the user drives it:
// mouse messages to the real controls at their client points, the Dovrel
// dialogs answered by their buttons, and what reached the hardware read
// from the board's call log and the service stand-in's request log.

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RunningProgram.h"
#include "ServiceStandIn.h"

namespace apptest {

// Client points of the collapsed window's controls. The four main bars lie
// 28 pixels apart: FSB, CPU core voltage, DRAM voltage, NB core voltage.
constexpr int kMainBarDistance = 28;
constexpr POINT kFsbStepDownAt{274 + 6, 95 + 6};
constexpr POINT kFsbStepUpAt{608 + 6, 95 + 6};
constexpr POINT kVcoreStepUpAt{608 + 6, 95 + kMainBarDistance + 6};
constexpr POINT kApplyAt{374 + 12, 207 + 8};
constexpr POINT kUndoAt{508 + 12, 207 + 8};
constexpr POINT kProfileDropAt{93 + 172 + 6, 56 + 1 + 6};
// Where the profile box shows the chosen profile's name.
constexpr RECT kProfileTextArea{93 + 4, 56 - 3, 93 + 4 + 156, 56 - 3 + 28};
constexpr POINT kSaveProfileAt{305 + 12, 55 + 8};
constexpr POINT kMoreSettingAt{27 + 8, 207 + 8};

constexpr char kNotifyLine[] = "request words=0x80000000,0x00000000,0x00000000,0x00000000 bytes=16";

// The child of `window` at client point `at`; null when none is there.
HWND ChildAt(HWND window, POINT at);
// Posts a move, press and release at `inside` (client point of `control`).
void Click(HWND control, POINT inside);
// The same click sent: it returns once the control handled it (or after
// a few seconds, when the click opened a modal window).
void ClickNow(HWND control, POINT inside);
// Clicks the control at client point `at` of `window`; false when none is there.
bool ClickAt(HWND window, POINT at);
// A visible top-level window of process `pid` with class `className`.
HWND ShownWindow(DWORD pid, const char* className);
// The first visible child of `parent` whose class name contains `part`.
HWND VisibleChild(HWND parent, const char* part);
// The dialog button captioned `caption` ("Yes", "No", "OK", "Save", ...).
HWND DialogButton(HWND dialog, const char* caption);

// Whether `writes` (call log lines) hold a write of `index` to item `id`.
bool HasWrite(const std::vector<std::string>& writes, DWORD id, int index);
// The position in `writes` of the first write to item `id`, or -1.
int FirstWriteOf(const std::vector<std::string>& writes, DWORD id);

class WindowDriving : public ::testing::Test {
protected:
    // Starts the service stand-in, then the program (see StartShown) unless
    // a fixture that starts it itself says otherwise.
    void SetUp() override;
    void TearDown() override { StopProgram(); }
    virtual bool StartsProgramAtSetUp() const { return true; }

    // Starts the program on a fresh shipped board, `prepare` editing the
    // board or the environment first, and opens its window from the tray.
    void StartShown(const std::function<void(RunningProgram&)>& prepare = {}, const std::string& board = "default");
    void StopProgram();

    // Lets the program handle what was posted to it, and the rereads its
    // own broadcast starts.
    void Settle();
    // Setting writes since the last call; the core selector only picks the
    // core whose ratio is read, and is left out.
    std::vector<std::string> NewWrites();
    // How many change notices the service stand-in received so far.
    size_t NotifyRequestCount() const;
    bool HasNotifyRequest() const { return NotifyRequestCount() > 0; }
    bool ApplyEnabled() const { return IsWindowEnabled(m_apply) != FALSE; }
    DWORD Pid() { return m_program->Process().Id(); }

    // Waits for the program's ask dialog, drawn; null when none showed.
    HWND WaitForAskDialog();
    // Clicks `answer` on the shown ask dialog and waits until it is gone.
    void Answer(HWND dialog, const char* answer);
    // Apply, then the one confirmation answered with `answer` ("Yes" or "No").
    void ApplyAnswering(const char* answer);

    zxtest::ServiceStandIn m_service{zxtest::ServiceStandIn::Pipe::Programs};
    std::unique_ptr<RunningProgram> m_program;
    HWND m_main = nullptr;
    HWND m_apply = nullptr;
    size_t m_seen = 0;
};

}  // namespace apptest
