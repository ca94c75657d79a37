// The program with its dialog library missing or incomplete: one clear
// message at start-up that names the file, and then a program that runs
// without ever calling into the library.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "ProgramFolderCopy.h"
#include "RunningProgram.h"

namespace {

using apptest::FindProcessWindow;
using apptest::ProgramFolderCopy;
using apptest::RunningProgram;
using apptest::WaitFor;

std::string StaticText(HWND box)
{
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

TEST(ZendrixWithoutDovrel, OneMessageNamesTheFileAndTheProgramRunsOn)
{
    struct Case {
        const char* what;
        const char* replacement;  // a file copied in as Dovrel.dll; null: none
        const char* named;        // what the message must name besides the file
    };
    const Case cases[] = {
        {"missing file", nullptr, "Dovrel.dll"},
        {"library without the entry points", "pngio.dll", "DovrelCreate"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolderCopy folder("Dovrel.dll");
        if (c.replacement != nullptr) {
            ASSERT_TRUE(CopyFileA(folder.File(c.replacement).c_str(), folder.File("Dovrel.dll").c_str(), FALSE));
        }
        RunningProgram program;
        program.SetProgramFolder(folder.Path());
        ASSERT_TRUE(program.Start());
        HWND box = nullptr;
        ASSERT_TRUE(
            WaitFor([&] { return (box = FindProcessWindow(program.Process().Id(), "#32770", "Zendrix")) != nullptr; },
                    apptest::kProgramLimitMs))
            << program.Describe();
        const std::string text = StaticText(box);
        EXPECT_NE(std::string::npos, text.find("Dovrel.dll")) << text;
        EXPECT_NE(std::string::npos, text.find(c.named)) << text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(program.WaitForWindow()) << program.Describe();
        // No second message: the window opens and the program answers.
        SendMessageA(program.MainWindow(), WM_USER + 2, 0x55, 0);
        EXPECT_TRUE(IsWindowVisible(program.MainWindow()));
        EXPECT_EQ(nullptr, FindProcessWindow(program.Process().Id(), "#32770", "Zendrix"));
        EXPECT_TRUE(program.Quit());
    }
}

}  // namespace

namespace {

// A visible top-level window as the maker's power-saving tool shows it.
class PowerToolWindow {
public:
    explicit PowerToolWindow(const char* caption)
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TApplication";
        RegisterClassA(&windowClass);
        m_window = CreateWindowExA(WS_EX_TOOLWINDOW, "TApplication", caption, WS_POPUP | WS_VISIBLE, 0, 0, 20, 20,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~PowerToolWindow() { DestroyWindow(m_window); }

private:
    HWND m_window = nullptr;
};

HWND ShownWindow(DWORD pid, const char* className)
{
    HWND window = FindProcessWindow(pid, className);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

}  // namespace

// Below information level 3 the window does not open while the power tool
// shows; the notice is the dialog library's warning, centred on the screen.
TEST(ZendrixShowFromTray, RefusesWhileThePowerToolShowsOnAnOlderBios)
{
    struct Case {
        const char* board;
        const char* toolCaption;  // null: no tool
        bool refuses;
    };
    const Case cases[] = {
        {"info-level-2", "Oxlen-6 Engine", true},
        {"info-level-2", "Oxlen", true},
        {"info-level-2", nullptr, false},
        {"default", "Oxlen", false},  // information level 3
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.board << " " << (c.toolCaption ? c.toolCaption : "no tool"));
        RunningProgram program(c.board);
        ASSERT_TRUE(program.StartAndWaitForWindow()) << program.Describe();
        std::unique_ptr<PowerToolWindow> tool;
        if (c.toolCaption != nullptr)
            tool = std::make_unique<PowerToolWindow>(c.toolCaption);
        const DWORD pid = program.Process().Id();
        PostMessageA(program.MainWindow(), WM_USER + 2, 0x55, 0);
        if (c.refuses) {
            HWND notice = nullptr;
            ASSERT_TRUE(WaitFor([&] { return (notice = ShownWindow(pid, "TAskDialog")) != nullptr; }));
            RECT r{};
            GetWindowRect(notice, &r);
            EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 281) / 2, r.left);
            EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 203) / 2, r.top);
            HWND ok = FindWindowExA(notice, nullptr, "KyButtonTx", "OK");
            ASSERT_NE(nullptr, ok);
            PostMessageA(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageA(ok, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            ASSERT_TRUE(WaitFor([&] { return ShownWindow(pid, "TAskDialog") == nullptr; }));
            EXPECT_FALSE(IsWindowVisible(program.MainWindow()));
        } else {
            EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(program.MainWindow()) != FALSE; }));
            EXPECT_EQ(nullptr, ShownWindow(pid, "TAskDialog"));
        }
        EXPECT_TRUE(program.Quit());
    }
}
