// The main window of the running program on every board variant, as the
// user meets it: opened from the tray, expanded with "More Setting", each
// page's tab clicked. Every state is saved as a picture under
// build\tests\page-shots for a person to look at; the test itself checks
// that no message box showed, that the program kept running and that
// opening the pages wrote nothing to the BIOS but the core selector (to
// read the cores) and the core-unlock switch's own start-up state.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RunningProgram.h"
#include "BoardEdits.h"
#include "TestPaths.h"
#include "TestPng.h"

namespace {

using apptest::RunningProgram;
using apptest::WaitFor;

constexpr UINT kMsgShow = WM_USER + 2;
constexpr WPARAM kSignature = 0x55;
constexpr POINT kMoreSettingAt{27 + 8, 207 + 8};
constexpr int kTabLefts[] = {27, 176, 325};
constexpr int kTabTop = 245;
constexpr int kCollapsedHeight = 245;

std::string ShotFolder()
{
    const std::string folder = zxtest::JoinPath(zxtest::TestDir(), "page-shots");
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// The screen's pixels in `area`, as RGB samples.
std::vector<uint16_t> ReadScreen(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::vector<uint16_t> samples;
    samples.reserve(static_cast<size_t>(width) * height * 3);
    const auto* pixel = static_cast<const BYTE*>(bits);
    for (int i = 0; i < width * height; ++i, pixel += 4)
        samples.insert(samples.end(), {pixel[2], pixel[1], pixel[0]});
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return samples;
}

// The screen under the window and its shadow, as an RGB picture, once it
// has stopped changing: a larger window reaches the display a while after
// the program has gone idle, the more so on a loaded machine.
bool SaveScreen(const RECT& area, const std::string& path)
{
    std::vector<uint16_t> samples = ReadScreen(area);
    for (int look = 0; look < 25; ++look) {
        Sleep(200);
        std::vector<uint16_t> again = ReadScreen(area);
        const bool steady = again == samples;
        samples = std::move(again);
        if (steady)
            break;
    }
    return zxtest::WritePngFile(path,
                                zxtest::MakePngImage(area.right - area.left, area.bottom - area.top, 2, 8, samples));
}

// Presses and releases the left button over the child window at `at`
// (client coordinates of `window`); false when no child is there.
bool ClickChildAt(HWND window, POINT at)
{
    HWND child = ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (child == nullptr || child == window)
        return false;
    POINT inside = at;
    MapWindowPoints(window, child, &inside, 1);
    PostMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
    PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
    PostMessageA(child, WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
    return true;
}

// Everything the program has answered so far has been handled.
bool Settle(RunningProgram& program)
{
    DWORD_PTR answer = 0;
    bool answered =
        SendMessageTimeoutA(program.MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, apptest::kProgramLimitMs, &answer) != 0;
    Sleep(400);  // the layered window reaches the screen
    return answered;
}

struct Variant {
    const char* name;
    const char* board;
    void (*edit)(zxtest::BoardFixture&);
};

// What opening the window may write: the core selector (it selects the
// core whose ratio is read); and where the core-unlock feature starts
// switched on, its switch and the per-core ratios it drives itself.
bool IsAllowedWrite(const std::string& write, bool unlockStarted)
{
    if (write.rfind("id=0x030600F0 ", 0) == 0)
        return true;
    return unlockStarted && (write.rfind("id=0x00060009 ", 0) == 0 || write.rfind("id=0x03060013 ", 0) == 0);
}

void Visit(const Variant& variant)
{
    SCOPED_TRACE(variant.name);
    RunningProgram program(variant.board);
    if (variant.edit != nullptr)
        variant.edit(program.Board());
    ASSERT_TRUE(program.StartAndWaitForWindow()) << program.Describe();
    HWND main = program.MainWindow();
    PostMessageA(main, kMsgShow, kSignature, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));
    // Near the top, so that the large window stays on the screen.
    SetWindowPos(main, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(Settle(program));

    const std::string folder = ShotFolder();
    auto shoot = [&](const std::string& state) {
        RECT window{}, shadow{}, both{};
        GetWindowRect(main, &window);
        GetWindowRect(program.ShadowWindow(), &shadow);
        UnionRect(&both, &window, &shadow);
        const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        IntersectRect(&both, &both, &screen);
        EXPECT_TRUE(SaveScreen(both, zxtest::JoinPath(folder, std::string(variant.name) + "-" + state + ".png")));
    };
    shoot("0-opened");

    // More Setting shows the pages (unless they already show).
    RECT client{};
    GetClientRect(main, &client);
    if (client.bottom <= kCollapsedHeight) {
        ASSERT_TRUE(ClickChildAt(main, kMoreSettingAt));
        ASSERT_TRUE(WaitFor([&] {
            GetClientRect(main, &client);
            return client.bottom > kCollapsedHeight;
        }));
        ASSERT_TRUE(Settle(program));
    }
    shoot("1-expanded");
    int tab = 0;
    for (int left : kTabLefts) {
        ++tab;
        if (!ClickChildAt(main, POINT{left + 40, kTabTop + 12}))
            continue;
        ASSERT_TRUE(Settle(program));
        shoot("tab" + std::to_string(tab));
    }
    // Collapsed again.
    EXPECT_TRUE(ClickChildAt(main, kMoreSettingAt));
    EXPECT_TRUE(WaitFor([&] {
        GetClientRect(main, &client);
        return client.bottom <= kCollapsedHeight;
    }));
    EXPECT_TRUE(Settle(program));
    shoot("9-collapsed");

    EXPECT_EQ(nullptr, apptest::FindProcessWindow(program.Process().Id(), "#32770")) << "a message box shows";
    EXPECT_TRUE(program.Process().IsRunning());
    const std::vector<std::string> writes = program.Board().Writes();
    const bool unlockStarted = std::any_of(
        writes.begin(), writes.end(), [](const std::string& write) { return write.rfind("id=0x00060009 ", 0) == 0; });
    for (const std::string& write : writes)
        EXPECT_TRUE(IsAllowedWrite(write, unlockStarted)) << write;
}

const Variant kVariants[] = {
    {"default", "default", nullptr},
    {"ratio-no-f9", "ratio-no-f9", nullptr},
    {"ratio-no-turbo-table", "ratio-no-turbo-table", nullptr},
    {"ratio-6core-percore", "ratio-6core-percore", nullptr},
    {"ratio-6core-single", "ratio-6core-single", nullptr},
    {"ratio-2core", "ratio-2core", nullptr},
    {"no-ratio", "no-ratio", nullptr},
    {"power-saving-on", "power-saving-on", nullptr},
    {"info-level-2", "info-level-2", nullptr},
    {"fault-items", "fault-items", nullptr},
    {"long-texts", "long-texts", nullptr},
    {"12core-percore", "ratio-6core-percore",
     [](zxtest::BoardFixture& b) { pagetest::MakeCores(b, 12, "0x12", false); }},
    {"12core-single", "ratio-6core-single", [](zxtest::BoardFixture& b) { pagetest::MakeCores(b, 12, "0x10", false); }},
    {"12core-turbo", "default", [](zxtest::BoardFixture& b) { pagetest::MakeCores(b, 12, "0x12", true); }},
    {"dram-and-expert", "default",
     [](zxtest::BoardFixture& b) {
         b.SetKey("0x03020033", "name", "DRAM Termination");
         b.SetKey("0x03020033", "base", "1200");
         b.SetKey("0x03020033", "step", "20");
         b.SetKey("0x03020033", "count", "41");
         b.SetKey("0x03020033", "value", "3");
     }},
    {"ratio-locked", "default", [](zxtest::BoardFixture& b) { b.SetKey("0x03060013", "attributes", "0x40000000"); }},
    {"fault-values", "fault-values", nullptr},
    {"many-items", "default", [](zxtest::BoardFixture& b) { pagetest::AddManyItems(b, false); }},
    {"many-items-expert", "default", [](zxtest::BoardFixture& b) { pagetest::AddManyItems(b, true); }},
};

class PageScreens : public ::testing::TestWithParam<Variant> {};

TEST_P(PageScreens, EveryBoardVariantOpensItsPagesWithoutBoxOrWrite)
{
    Visit(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Variants, PageScreens, ::testing::ValuesIn(kVariants),
                         [](const ::testing::TestParamInfo<Variant>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
