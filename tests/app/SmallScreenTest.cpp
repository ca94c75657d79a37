// The running program on a 1024x768 screen, the smallest the program
// supports: opened, expanded and on each page, the window lies inside the
// work area, and so does every dialog it opens there (the Apply
// confirmation, the danger confirmation, the "SaveWarn" notice and the
// Save Profile dialog), with Apply and the answer buttons inside it. The
// Save Profile dialog's icon and bottom strip show the dialog's face
// through their transparent pixels. Run by own-wine.sh on a display
// and wineserver of its own.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "DialogFace.h"
#include "TestPaths.h"
#include "WindowDriving.h"

namespace {

using namespace apptest;

constexpr DWORD kVcoreId = 0x03020012;
constexpr int kBoardVcoreIndex = 56;  // the default board's
// The danger limit of the core voltage at the board's value: one step up
// crosses it.
constexpr char kVcoreLimitAtBoardValue[] = "0x00380000";
constexpr int kTabLefts[] = {27, 176, 325};
constexpr int kTabTop = 245;
constexpr int kCollapsedHeight = 245;
// The Save Profile dialog's icon and bottom strip (client corners), and a
// point of the plain face beside each.
constexpr POINT kIconCorner{24, 104};
constexpr POINT kBesideIcon{23, 104};
constexpr POINT kStripCorner{13, 244};
constexpr POINT kBesideStrip{12, 244};

RECT WorkArea()
{
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

std::string Describe(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

::testing::AssertionResult InsideWorkArea(HWND window, const std::string& what)
{
    RECT bounds{};
    if (window == nullptr || !GetWindowRect(window, &bounds))
        return ::testing::AssertionFailure() << what << ": no window";
    const RECT area = WorkArea();
    if (bounds.left >= area.left && bounds.top >= area.top && bounds.right <= area.right &&
        bounds.bottom <= area.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << " at " << Describe(bounds) << ", work area " << Describe(area);
}

class SmallScreen : public WindowDriving {
protected:
    bool StartsProgramAtSetUp() const override { return false; }

    void Shoot(const std::string& state)
    {
        RECT window{};
        GetWindowRect(m_main, &window);
        const std::string folder = zxtest::JoinPath(zxtest::TestDir(), "page-shots-1024x768");
        CreateDirectoryA(folder.c_str(), nullptr);
        SaveBitmap(CaptureSteady(m_main, RECT{0, 0, window.right - window.left, window.bottom - window.top}),
                   zxtest::JoinPath(folder, state + ".bmp"));
    }

    // The question Apply asks, inside the work area with its answer buttons.
    void CheckApplyQuestion(const std::string& where, const char* answer)
    {
        EXPECT_TRUE(InsideWorkArea(m_apply, where + ": Apply"));
        Click(m_apply, POINT{5, 5});
        HWND dialog = WaitForAskDialog();
        ASSERT_NE(nullptr, dialog) << where;
        EXPECT_TRUE(InsideWorkArea(dialog, where + ": Apply confirmation"));
        EXPECT_TRUE(InsideWorkArea(DialogButton(dialog, "Yes"), where + ": Yes"));
        EXPECT_TRUE(InsideWorkArea(DialogButton(dialog, "No"), where + ": No"));
        Answer(dialog, answer);
    }
};

TEST_F(SmallScreen, WindowAndDialogsStayInsideTheWorkArea)
{
    ASSERT_EQ(768, GetSystemMetrics(SM_CYSCREEN)) << "run by own-wine.sh on a 1024x768 screen";
    ASSERT_NO_FATAL_FAILURE(StartShown(
        [](RunningProgram& program) { program.Board().SetKey("0x030600F1", "at.0x12", kVcoreLimitAtBoardValue); }));
    EXPECT_TRUE(InsideWorkArea(m_main, "collapsed"));
    Shoot("default-collapsed");

    // A pending change: Save Profile shows the "SaveWarn" notice.
    ASSERT_TRUE(ClickAt(m_main, kFsbStepUpAt));
    Settle();
    ASSERT_TRUE(ClickAt(m_main, kSaveProfileAt));
    HWND notice = WaitForAskDialog();
    ASSERT_NE(nullptr, notice);
    EXPECT_TRUE(InsideWorkArea(notice, "SaveWarn notice"));
    EXPECT_TRUE(InsideWorkArea(DialogButton(notice, "OK"), "SaveWarn OK"));
    Answer(notice, "OK");
    ASSERT_NO_FATAL_FAILURE(CheckApplyQuestion("collapsed", "No"));

    ASSERT_TRUE(ClickAt(m_main, kMoreSettingAt));
    ASSERT_TRUE(WaitFor([&] {
        RECT client{};
        GetClientRect(m_main, &client);
        return client.bottom > kCollapsedHeight;
    }));
    Settle();
    EXPECT_TRUE(InsideWorkArea(m_main, "expanded"));
    for (size_t tab = 0; tab < std::size(kTabLefts); ++tab) {
        const std::string where = "tab " + std::to_string(tab);
        if (!ClickAt(m_main, POINT{kTabLefts[tab] + 40, kTabTop + 12}))
            continue;
        Settle();
        EXPECT_TRUE(InsideWorkArea(m_main, where));
        Shoot("default-" + where);
        ASSERT_NO_FATAL_FAILURE(CheckApplyQuestion(where, "No"));
        ASSERT_TRUE(ClickAt(m_main, kSaveProfileAt));
        notice = WaitForAskDialog();
        ASSERT_NE(nullptr, notice) << where;
        EXPECT_TRUE(InsideWorkArea(notice, where + ": SaveWarn notice"));
        Answer(notice, "OK");
    }

    // Past the core voltage's danger limit: both danger questions, then the
    // write. Yes is clicked where it stands.
    ASSERT_TRUE(ClickAt(m_main, kVcoreStepUpAt));
    Settle();
    Click(m_apply, POINT{5, 5});
    for (const char* question : {"danger confirmation", "danger confirmation, continue"}) {
        HWND dialog = WaitForAskDialog();
        ASSERT_NE(nullptr, dialog) << question;
        EXPECT_TRUE(HasDangerFace(dialog)) << question;
        EXPECT_TRUE(InsideWorkArea(dialog, question));
        EXPECT_TRUE(InsideWorkArea(DialogButton(dialog, "Yes"), std::string(question) + ": Yes"));
        Answer(dialog, "Yes");
    }
    Settle();
    EXPECT_TRUE(WaitFor([&] { return HasWrite(NewWrites(), kVcoreId, kBoardVcoreIndex + 1); }));

    // Nothing pending: the Save Profile dialog itself.
    ASSERT_TRUE(WaitFor([&] { return !ApplyEnabled(); }));
    ASSERT_TRUE(ClickAt(m_main, kSaveProfileAt));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = ShownWindow(Pid(), "TProfileDialog")) != nullptr; }));
    EXPECT_TRUE(InsideWorkArea(dialog, "Save Profile dialog"));
    RECT bounds{};
    GetWindowRect(dialog, &bounds);
    const ScreenPixels face = CaptureSteady(dialog, RECT{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top});
    // The pictures' corners are transparent: the face shows through.
    EXPECT_EQ(face.At(kBesideIcon.x, kBesideIcon.y), face.At(kIconCorner.x, kIconCorner.y)) << "icon corner";
    EXPECT_EQ(face.At(kBesideStrip.x, kBesideStrip.y), face.At(kStripCorner.x, kStripCorner.y)) << "strip corner";
    EXPECT_NE(0u, face.At(kIconCorner.x, kIconCorner.y)) << "icon corner black";
    HWND cancel = DialogButton(dialog, "Cancel");
    ASSERT_NE(nullptr, cancel);
    Click(cancel, POINT{5, 5});
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
}

}  // namespace
