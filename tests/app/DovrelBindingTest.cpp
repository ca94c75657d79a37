// The program with its dialog library missing or incomplete: one clear
// message at start-up that names the file, and then a program that runs
// without ever calling into the library.

#include <gtest/gtest.h>

#include <windows.h>

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
        if (c.replacement != nullptr)
            ASSERT_TRUE(CopyFileA(folder.File(c.replacement).c_str(), folder.File("Dovrel.dll").c_str(), FALSE));
        RunningProgram program;
        program.SetProgramFolder(folder.Path());
        ASSERT_TRUE(program.Start());
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = FindProcessWindow(program.Process().Id(), "#32770", "Zendrix")) != nullptr; }))
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
