// A program file that start-up reads is missing or broken: one message box
// names it while no window of the program is left for a second start to
// bring up, and once the box is answered the program has ended.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "RunningProgram.h"
#include "TestFiles.h"
#include "TestPaths.h"

namespace {

using apptest::FindProcessWindow;
using apptest::RunningProgram;
using apptest::WaitFor;

std::string BoxText(HWND box)
{
    char text[2048] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message box's text control
    return text;
}

std::string Lower(std::string text)
{
    CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// One program per case, each a test of its own so that shards share them.
struct MissingFileCase {
    const char* file;  // below the program folder
    bool broken;       // written with what is no picture, instead of removed
};

void PrintTo(const MissingFileCase& c, std::ostream* out)
{
    *out << c.file << (c.broken ? " broken" : " missing");
}

class ZendrixMissingFile : public ::testing::TestWithParam<MissingFileCase> {};

TEST_P(ZendrixMissingFile, OneMessageNamesTheFileAndTheProgramEndsWithoutWindows)
{
    const MissingFileCase& c = GetParam();
    zxtest::TempFolder copy;
    std::error_code error;
    std::filesystem::copy(zxtest::DistDir(), copy.Path(), std::filesystem::copy_options::recursive, error);
    ASSERT_FALSE(error) << error.message();
    const std::string file = copy.File(c.file);
    if (c.broken)
        ASSERT_TRUE(zxtest::WriteWholeFile(file, "this is not a picture"));
    else
        ASSERT_TRUE(DeleteFileA(file.c_str()));

    RunningProgram program;
    program.SetProgramFolder(copy.Path());
    ASSERT_TRUE(program.Start());
    const DWORD pid = program.Process().Id();
    HWND box = nullptr;
    // The box comes where start-up reads the file: as late as start-up takes.
    ASSERT_TRUE(WaitFor([&] { return (box = FindProcessWindow(pid, "#32770", "Zendrix")) != nullptr; },
                        apptest::kProgramLimitMs))
        << program.Describe();
    EXPECT_NE(std::string::npos, Lower(BoxText(box)).find(Lower(c.file))) << BoxText(box);
    EXPECT_EQ(nullptr, program.MainWindow());
    EXPECT_EQ(nullptr, program.ShadowWindow());
    EXPECT_EQ(nullptr, program.MessageWindow());
    EXPECT_EQ(nullptr, FindProcessWindow(pid, "TfrmTurboInfoMain"));

    // A second start meanwhile finds nothing to bring up and ends.
    zxtest::ProcessResult second = program.RunAgain();
    EXPECT_TRUE(second.started);
    EXPECT_FALSE(second.timedOut);
    EXPECT_EQ(nullptr, program.MainWindow());

    // One box: answered, the program ends.
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    DWORD code = 1;
    ASSERT_TRUE(program.Process().Wait(apptest::kProgramLimitMs, &code)) << "a second message box?";
    EXPECT_EQ(0u, code);
}

INSTANTIATE_TEST_SUITE_P(Files, ZendrixMissingFile,
                         ::testing::Values(MissingFileCase{"Resource\\Zendrix02.ico", false},  // the tray icon
                                           MissingFileCase{"Resource\\Zendrix02.ico", true},
                                           MissingFileCase{"Resource\\forms\\TMainForm.SmallBk.png",
                                                           false},  // a form picture
                                           MissingFileCase{"Resource\\forms\\TMainForm.LargeBk.png", true},
                                           MissingFileCase{"Resource\\forms\\TMainForm.GpuBk.png",
                                                           false},  // sized at start-up, read when shown
                                           MissingFileCase{"Resource\\small_shadow002.png", false},  // a skin
                                           MissingFileCase{"res\\big_bg\\big_bg_top.png", false}  // the monitor's face
                                           ));

}  // namespace
