// The bridge to "flashobj.dll": request texts, placement over the parent,
// visibility and the movies' call-outs, read back from the stand-in's log
// and from the windows themselves.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFiles.h"
#include "TestPaths.h"
#include "TestProcess.h"
#include "app/forms/TransFlash.h"

namespace {

std::vector<std::wstring> g_callOuts;

void WINAPI RecordCallOut(DWORD_PTR, DWORD_PTR, const wchar_t* text, DWORD_PTR)
{
    g_callOuts.push_back(text ? text : L"");
}

void PumpMessages()
{
    MSG message;
    for (int pass = 0; pass < 3; ++pass) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(20);
    }
}

std::wstring MoviePath(const char* file)
{
    std::string path = zxtest::JoinPath(zxtest::DistDir(), std::string("res\\flash\\") + file);
    return std::wstring(path.begin(), path.end());
}

class FlashBridge : public testing::Test {
protected:
    void SetUp() override
    {
        m_log = m_folder.File("flashobj.log");
        SetEnvironmentVariableA("FLASHOBJ_LOG", m_log.c_str());
        m_parent = CreateWindowExA(0, "STATIC", "MovieParent", WS_POPUP | WS_VISIBLE, 100, 100, 228, 196, nullptr,
                                   nullptr, nullptr, nullptr);
        g_callOuts.clear();
    }
    void TearDown() override
    {
        DestroyWindow(m_parent);
        SetEnvironmentVariableA("FLASHOBJ_LOG", nullptr);
    }

    std::vector<std::string> LogLinesWith(const std::string& prefix) const
    {
        std::vector<std::string> lines;
        for (const auto& line : zxtest::ReadLines(m_log))
            if (line.compare(0, prefix.size(), prefix) == 0)
                lines.push_back(line);
        return lines;
    }

    zxtest::TempFolder m_folder;
    std::string m_log;
    HWND m_parent = nullptr;
};

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

TEST_F(FlashBridge, RequestsAreTheInvokeTextWithNothingEscaped)
{
    TTransFlash movie(m_parent, "turbo", MoviePath("turbo_boost02.swf"));
    ASSERT_NE(movie.Handle(), nullptr);
    movie.InvokeInt(L"setRatio", 2220);
    movie.Invoke(L"setBar", L"a<b&\"c\"");
    EXPECT_EQ(LogLinesWith("flash_callFunction "),
              (std::vector<std::string>{
                  "flash_callFunction request=<invoke name=\"setRatio\" returntype=\"xml\"><arguments><string>2220"
                  "</string></arguments></invoke>",
                  "flash_callFunction request=<invoke name=\"setBar\" returntype=\"xml\"><arguments><string>a<b&\"c\""
                  "</string></arguments></invoke>"}));
}

TEST_F(FlashBridge, MoviesSitAtTheirOffsetAndFollowTheParent)
{
    TTransFlash close(m_parent, "close", MoviePath("c.swf"));
    TTransFlash turbo(m_parent, "turbo", MoviePath("turbo_boost02.swf"));
    close.SetPosition(108, 7);
    close.SetSize(12, 12);
    turbo.SetPosition(5, 20);
    turbo.SetSize(121, 120);
    RECT rect = WindowRect(close.Handle());
    EXPECT_EQ(rect.left, 208);
    EXPECT_EQ(rect.top, 107);
    EXPECT_EQ(rect.right - rect.left, 12);

    SetWindowPos(m_parent, nullptr, 300, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    TTransFlash::FollowAll();
    rect = WindowRect(close.Handle());
    EXPECT_EQ(rect.left, 408);
    EXPECT_EQ(rect.top, 257);
    rect = WindowRect(turbo.Handle());
    EXPECT_EQ(rect.left, 305);
    EXPECT_EQ(rect.top, 270);
    EXPECT_EQ(rect.bottom - rect.top, 120);

    EXPECT_FALSE(IsWindowVisible(turbo.Handle()));
    turbo.SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(turbo.Handle()));
    turbo.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(turbo.Handle()));
}

TEST_F(FlashBridge, CallOutsReachTheCallbackFromTheMessageLoop)
{
    TTransFlash turbo(m_parent, "turbo", MoviePath("turbo_boost02.swf"));
    TTransFlash close(m_parent, "close", MoviePath("c.swf"));
    turbo.SetSize(121, 120);
    close.SetSize(12, 12);
    turbo.SetCallback(RecordCallOut);
    close.SetCallback(RecordCallOut);

    // The program switching the movie: it answers without asking to pass it on.
    turbo.InvokeInt(L"setEnable", 1);
    EXPECT_TRUE(g_callOuts.empty()) << "a call-out came from inside the program's call";
    PumpMessages();
    // The user clicking the switch, then the close button.
    PostMessageW(turbo.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(60, 5));
    PumpMessages();
    PostMessageW(close.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
    PumpMessages();
    turbo.InvokeInt(L"setEnable", 0);
    PumpMessages();
    EXPECT_EQ(g_callOuts, (std::vector<std::wstring>{L"on nosend", L"off", L"close", L"off nosend"}));
}

ZX_TEST_CHILD(movie_without_library)
{
    // Only the system folders: the stand-in beside the program is out of reach.
    SetEnvironmentVariableA("PATH", "C:\\windows\\system32;C:\\windows");
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    TTransFlash movie(parent, "turbo", L"Z:\\nowhere\\turbo_boost02.swf");
    movie.SetPosition(5, 5);
    movie.SetSize(10, 10);
    movie.SetVisible(true);
    movie.SetCallback(RecordCallOut);
    movie.InvokeInt(L"setCores", 4);
    TTransFlash::FollowAll();
    return movie.Handle() == nullptr ? 0 : 1;
}

TEST(FlashBridgeWithoutLibrary, EveryOperationDoesNothing)
{
    zxtest::ProcessResult child = zxtest::RunChild("movie_without_library", {{"WINEPATH", ""}});
    EXPECT_FALSE(child.timedOut);
    EXPECT_EQ(child.exitCode, 0u) << child.output;
}
