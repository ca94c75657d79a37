// The main window's layout on the board variants: which pages it gets,
// where the bars go, the window's sizes with their shadows and button row,
// and that every control stays inside the window. Each case builds the
// layout in a child process of its own (the layout and the item sets are
// process-wide) on a private board.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BoardEdits.h"
#include "BoardFixture.h"
#include "LayoutChild.h"
#include "PageFolder.h"
#include "TestPaths.h"

namespace {

using pagetest::PageFolder;

constexpr char kDriverKey[] = "Software\\Merovan\\Pelorus Driver";

// The graphics-boost driver's registry value, there for the object's life.
class GraphicsDriver {
public:
    GraphicsDriver()
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kDriverKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("1.0"), 4);
            RegCloseKey(key);
        }
    }
    ~GraphicsDriver() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDriverKey); }
};

std::string MachineFile(const char* name)
{
    return zxtest::JoinPath(zxtest::JoinPath(zxtest::SourceDir(), "platform\\kyio\\machines"), name);
}

void AddVoltage(zxtest::BoardFixture& board, const char* section, const char* base, const char* exponent,
                const char* step)
{
    board.SetKey(section, "name", "Extra Voltage");
    board.SetKey(section, "base", base);
    board.SetKey(section, "exponent", exponent);
    board.SetKey(section, "step", step);
    board.SetKey(section, "count", "20");
    board.SetKey(section, "value", "2");
}

struct Case {
    const char* what;
    const char* board;
    void (*edit)(zxtest::BoardFixture&);
    const char* steps;
    std::vector<std::string> expected;  // substrings of the report
    const char* machine = nullptr;      // KyIO machine file; the default one when null
};

void RunCase(PageFolder& folder, const Case& c)
{
    SCOPED_TRACE(c.what);
    zxtest::BoardFixture board(c.board);
    if (c.edit != nullptr)
        c.edit(board);
    zxtest::Environment extra;
    if (c.machine != nullptr)
        extra.push_back({"KYIO_MACHINE", MachineFile(c.machine)});
    zxtest::ProcessResult run = folder.Run("layout_report", board, c.steps, extra);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(0u, run.exitCode) << run.output;
    run.output.erase(std::remove(run.output.begin(), run.output.end(), '\r'), run.output.end());
    for (const std::string& expected : c.expected)
        EXPECT_NE(std::string::npos, run.output.find(expected)) << "expected: " << expected << "\n" << run.output;
    EXPECT_NE(std::string::npos, run.output.find("outside=\n")) << run.output;
    EXPECT_EQ(std::string::npos, run.output.find("box=")) << run.output;
    // Building the window reads the BIOS; only the core selector is set,
    // to an existing core, to read the cores.
    for (const std::string& write : board.Writes()) {
        EXPECT_EQ(0u, write.find("id=0x030600F0 ")) << write;
        EXPECT_NE(std::string::npos, write.find(" result=1")) << write;
    }
}

void RunCases(const std::vector<Case>& cases)
{
    PageFolder folder;
    for (const Case& c : cases)
        RunCase(folder, c);
}

// The default board's pages without and with the graphics page.
const std::string kDefaultPages = "pages=tweak,turbo-kavrin tabs=27,176\n";
const std::string kDefaultPagesWithGraphics = "pages=tweak,turbo-kavrin,gpu tabs=27,176,325\n";
const char* const kGraphicsSelected = " selected=2";

const char* const kCollapsed = "state size=0 client=636x245 shadow=651x262 buttons=207,207 expanded=0";
const char* const kMiddle = "state size=1 client=636x487 shadow=651x504 buttons=449,449 expanded=1";
const char* const kLarge = "state size=2 client=636x641 shadow=651x658 buttons=603,603 expanded=1";

TEST(PageChoice, EachBoardGetsItsRatioPage)
{
    RunCases({
        {"4 cores, per-core turbo item, core-unlock CPU",
         "default",
         nullptr,
         "",
         {"pages=tweak,turbo-kavrin tabs=27,176\n"}},
        {"per-core turbo item without core-unlock support",
         "ratio-no-turbo-table",
         nullptr,
         "",
         {"pages=tweak,turbo tabs=27,176\n"},
         "intel-2core-unsupported.ini"},
        {"4 cores without the turbo item", "ratio-no-f9", nullptr, "", {"pages=tweak,ratio tabs=27,176\n"}},
        {"6 cores, a ratio per core", "ratio-6core-percore", nullptr, "", {"pages=tweak,multi tabs=27,176\n"}},
        {"6 cores, one ratio", "ratio-6core-single", nullptr, "", {"pages=tweak,single tabs=27,176\n"}},
        {"2 cores with the turbo item", "ratio-2core", nullptr, "", {"pages=tweak,turbo-kavrin"}},
        {"no ratio item", "no-ratio", nullptr, "", {"pages=tweak tabs=27\n"}},
    });
}

TEST(PageChoice, TheGraphicsPageComesWithTheDriverAndOpensTheWindow)
{
    RunCases({{"no driver: collapsed, the voltage page selected",
               "default",
               nullptr,
               "",
               {kDefaultPages, std::string(kCollapsed) + " selected=0"}}});
    GraphicsDriver driver;
    RunCases({
        {"driver: the graphics page selected and the pages shown",
         "default",
         nullptr,
         "",
         {kDefaultPagesWithGraphics, "gpu=450,324 450,374 \n", std::string(kMiddle) + kGraphicsSelected}},
        {"driver without a ratio page: its tab in the ratio tab's place",
         "no-ratio",
         nullptr,
         "",
         {"pages=tweak,gpu tabs=27,176\n"}},
        {"driver but no graphics item",
         "default",
         [](zxtest::BoardFixture& board) {
             board.RemoveSection("0x03010060");
             board.RemoveSection("0x03010061");
         },
         "",
         {kDefaultPages}},
        {"the link box couples the second bar", "default", nullptr, "link", {" gpu=1111\n", " gpu=1110\n"}},
    });
}

TEST(VoltagePage, GroupsFollowTheExpertItemsTheDramItemsAndTheValueTexts)
{
    RunCases({
        {"expert items, no DRAM item: one group, rows 45 apart",
         "default",
         nullptr,
         "",
         {"group0=4 CPU/Chip Voltage 211,333 509,333 211,378\n"}},
        {"neither: the same rows",
         "default",
         [](zxtest::BoardFixture& board) { board.RemoveSection("0x030800B4"); },
         "",
         {"group0=2 CPU/Chip Voltage 211,333 509,333 211,378\n"}},
        {"a DRAM item and expert items: the expert group below",
         "default",
         [](zxtest::BoardFixture& board) { AddVoltage(board, "0x03020033", "1200", "0", "20"); },
         "show",
         {"group0=4 CPU/Chip Voltage", "group1=3 Expert Option 339,488 339,519\n", kLarge}},
        {"a DRAM item without expert items: the DRAM group, rows 31 apart",
         "default",
         [](zxtest::BoardFixture& board) {
             AddVoltage(board, "0x03020033", "1200", "0", "20");
             board.RemoveSection("0x03080018");
         },
         "",
         {"group0=0 CPU/Chip Voltage 211,325 509,325 211,356\n", "group1=0 DRAM Reference Voltage 211,488\n"}},
        {"a six-character value: narrow labels in both groups",
         "default",
         [](zxtest::BoardFixture& board) { AddVoltage(board, "0x0302001B", "80000", "-2", "625"); },
         "",
         {"group0=1 CPU/Chip Voltage 211,325 509,325 211,356 509,356\n"}},
    });
}

// More items than the pages can place: a group whose 45-pixel rows cannot
// hold its items takes the 31-pixel rows, and the items that still do not
// fit get no bar - none covers the separator, Apply or Undo, or leaves the
// window.
TEST(VoltagePage, ItemsBeyondTheRoomOfTheirGroupGetNoBar)
{
    GraphicsDriver driver;
    const char* const kTwoGraphicsBars = "gpu=450,324 450,374 \n";
    const char* const kSixChipBars = " 211,325 509,325 211,356 509,356 211,387 509,387\n";
    RunCases({
        {"12 voltages, 8 DRAM voltages, 4 graphics clocks",
         "default",
         [](zxtest::BoardFixture& board) { pagetest::AddManyItems(board, false); },
         "tab0,show,crowd,tab2,crowd",
         {std::string("group0=0 CPU/Chip Voltage") + kSixChipBars,
          "group1=0 DRAM Reference Voltage 211,488 509,488 211,519 509,519 211,550 509,550\n", kTwoGraphicsBars,
          "\ncrowded=\nstate size=2", "\ncrowded=\nstate size=1"}},
        {"the same with 6 expert options",
         "default",
         [](zxtest::BoardFixture& board) { pagetest::AddManyItems(board, true); },
         "tab0,show,crowd,tab2,crowd",
         {std::string("group0=0 CPU/Chip Voltage") + kSixChipBars, "group1=3 Expert Option 339,488 339,519 339,550\n",
          kTwoGraphicsBars, "\ncrowded=\nstate size=2", "\ncrowded=\nstate size=1"}},
    });
}

// The shipped board variants, by name.
std::vector<std::string> ShippedBoards()
{
    std::vector<std::string> boards;
    WIN32_FIND_DATAA found{};
    const std::string folder = zxtest::JoinPath(zxtest::SourceDir(), "platform\\kyacpi\\boards");
    HANDLE search = FindFirstFileA(zxtest::JoinPath(folder, "*.ini").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return boards;
    do {
        const std::string name = found.cFileName;
        boards.push_back(name.substr(0, name.size() - 4));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(boards.begin(), boards.end());
    return boards;
}

// Every value text of every scroll bar shows whole, in Arial's metrics, on
// every board variant and every page (the graphics page included): no
// label leaves the window or overlaps another, the track or the step
// button, and a name that had to give way keeps its ellipsis.
TEST(BarTexts, EveryValueShowsWholeOnEveryBoardVariant)
{
    const std::vector<std::string> boards = ShippedBoards();
    ASSERT_GE(boards.size(), 10u);
    for (const char* needed : {"default", "long-texts"})
        EXPECT_NE(boards.end(), std::find(boards.begin(), boards.end(), needed)) << needed;
    GraphicsDriver driver;
    PageFolder folder;
    for (const std::string& board : boards) {
        SCOPED_TRACE(board);
        zxtest::BoardFixture fixture(board);
        zxtest::ProcessResult run = folder.Run("layout_report", fixture, "show");
        ASSERT_TRUE(run.started);
        run.output.erase(std::remove(run.output.begin(), run.output.end(), '\r'), run.output.end());
        EXPECT_NE(std::string::npos, run.output.find("\ntexts=\n")) << run.output;
    }
}

TEST(MainBars, OneRowPerUsableFixedSlotWithoutGaps)
{
    RunCases({
        {"all four", "default", nullptr, "", {"main=296,94 296,122 296,150 296,178 \n"}},
        {"no core voltage item: the DRAM bar moves up",
         "default",
         [](zxtest::BoardFixture& board) { board.RemoveSection("0x03020012"); },
         "",
         {"main=296,94 296,122 296,150 \n"}},
        {"a hidden core voltage item counts as missing",
         "default",
         [](zxtest::BoardFixture& board) { board.SetKey("0x03020012", "attributes", "0x40000000"); },
         "",
         {"main=296,94 296,122 296,150 \n"}},
        {"failing items: the unreadable descriptor leaves its slot out",
         "fault-items",
         nullptr,
         "",
         {"main=296,94 296,122 296,150 \n"}},
    });
}

// German takes the wider "More Setting" pictures and caption; Japanese the
// Shift-JIS character set and a caption two pixels lower.
TEST(Languages, TheMoreSettingBoxFollowsTheLanguage)
{
    const struct {
        const char* language;
        const char* expected;
    } cases[] = {
        {"", "more=110 text=86x20 charset=1\n"},
        {"German", "more=160 text=136x20 charset=1\n"},
        {"Japanese", "more=110 text=86x22 charset=128\n"},
    };
    for (const auto& c : cases) {
        PageFolder folder(c.language);
        RunCase(folder, {c.language, "default", nullptr, "show,collapse", {c.expected}});
    }
}

TEST(WindowSizes, EachSizeTakesItsPictureShadowAndButtonRow)
{
    RunCases({
        {"voltage page middle, ratio page large, back and collapsed",
         "default",
         nullptr,
         "show,tab1,tab0,collapse,middle,middle,large",
         {std::string(kCollapsed) + " selected=0",
          std::string(kMiddle) + " selected=0 ratio=262,372,0 262,372,0 262,372,0 262,372,0 ",
          std::string(kLarge) + " selected=1 ratio=262,372,0 262,372,0 262,372,0 262,372,1 previews=111 cores=3",
          "state size=0 client=636x245 shadow=651x262 buttons=207,207 expanded=0 selected=0 ratio=262,372,0 "
          "262,372,0 262,372,0 262,372,0 previews=000",
          "state size=1 client=636x487 shadow=651x504 buttons=449,449 expanded=0",
          "state size=2 client=636x641 shadow=651x658 buttons=603,603 expanded=0"}},
    });
}

TEST(RatioPages, BarsStayInsideTheWindowAndFollowTheirControls)
{
    RunCases({
        {"four cores side by side",
         "ratio-no-f9",
         nullptr,
         "show,tab1",
         {"ratio=262,334,1 352,334,1 442,334,1 532,334,1 "}},
        {"six cores per core: two groups, one button for the other",
         "ratio-6core-percore",
         nullptr,
         "show,tab1,preview0",
         {"ratio=262,334,1 352,334,1 442,334,1 262,334,0 352,334,0 442,334,0  group=0 buttons=516,421:1 ",
          "ratio=262,334,0 352,334,0 442,334,0 262,334,1 352,334,1 442,334,1  group=1 buttons=516,421:0 "}},
        {"twelve cores per core: three buttons inside the page",
         "ratio-6core-percore",
         [](zxtest::BoardFixture& board) { pagetest::MakeCores(board, 12, "0x12", false); },
         "show,tab1,preview2",
         {"group=0 buttons=516,503:1 516,421:2 516,339:3 ", "group=3 buttons=516,503:0 516,421:1 516,339:2 "}},
        {"seven cores per core: the last group's preview reads only the seventh core",
         "ratio-6core-percore",
         [](zxtest::BoardFixture& board) { pagetest::MakeCores(board, 7, "0x12", false); },
         "show,tab1,preview1,preview0",
         {"group=0 buttons=516,421:1 516,339:2 ", "group=2 buttons=516,421:0 516,339:1 "}},
        {"seven cores per core: a paint of the previews reads the seventh core once",
         "ratio-6core-percore",
         [](zxtest::BoardFixture& board) { pagetest::MakeCores(board, 7, "0x12", false); },
         "show,tab1,paint",
         {"ratio reads per paint=1\n"}},
        {"six cores, one ratio: the small bars beside the large one",
         "ratio-6core-single",
         nullptr,
         "show,tab1",
         {"ratio=262,334,1 362,431,1 412,431,1 462,431,1 512,431,1 562,431,1 "}},
        {"twelve cores, one ratio: small bars up to the sixth core",
         "ratio-6core-single",
         [](zxtest::BoardFixture& board) { pagetest::MakeCores(board, 12, "0x10", false); },
         "show,tab1",
         {"ratio=262,334,1 362,431,1 412,431,1 462,431,1 512,431,1 562,431,1 \n"}},
        {"twelve cores with the turbo item: previews up to the sixth core",
         "default",
         [](zxtest::BoardFixture& board) { pagetest::MakeCores(board, 12, "0x12", true); },
         "show,tab1",
         {"previews=11111 cores=11"}},
        {"core-unlock: on shows its pictures, 2 is no state, off brings the choice back",
         "default",
         nullptr,
         "show,tab1,unlock1,unlock2,unlock0",
         {"262,372,1 previews=111 cores=3 unlock=0 images=0000\n",
          "262,372,0 previews=000 cores=3 unlock=1 images=1111\n",
          "262,372,0 previews=000 cores=3 unlock=1 images=1111\nstate",
          "262,372,1 previews=111 cores=3 unlock=0 images=0000\nstate size=2"}},
    });
}

}  // namespace
