// ZxOcSaveCurrentDovrel: the profile file the library writes, byte for byte.

#include <gtest/gtest.h>

#include <algorithm>

#include "BoardFixture.h"
#include "LibraryCaller.h"
#include "TestFiles.h"

using ocapitest::RunCalls;
using zxtest::BoardFixture;
using zxtest::ProfileBytes;

namespace {

// Every visible group-3 item of the default board in BIOS order, with one
// ratio record per core.
const std::vector<std::pair<unsigned, int>> kDefaultBoardProfile = {
    {0x03010011, 33}, {0x03020012, 56}, {0x03020032, 15}, {0x03020015, 4}, {0x03060013, 36},
    {0x03060013, 34}, {0x03060013, 30}, {0x03060013, 28}, {0x03020016, 4}, {0x03020017, 5},
    {0x03820019, 0},  {0x03080018, 0},  {0x030800B4, 1},  {0x03010060, 8}, {0x03010061, 4},
};

}  // namespace

TEST(ZxOcLibSave, WritesEveryVisibleItemInBiosOrderReplacingAnOlderFile)
{
    BoardFixture board;
    std::string path = board.File("Current.oc");
    ASSERT_TRUE(zxtest::WriteWholeFile(path, std::string(500, 'x')));
    auto run = RunCalls({"ZxOcSaveCurrentDovrel " + path}, board.Environment());
    EXPECT_EQ(run.Line("ZxOcSaveCurrentDovrel"), "ZxOcSaveCurrentDovrel result=1");
    EXPECT_EQ(zxtest::ReadWholeFile(path), ProfileBytes(kDefaultBoardProfile));
    // Saving reads the BIOS; the only writes are the core selector's.
    for (const auto& write : board.Writes())
        EXPECT_EQ(write.rfind("id=0x030600F0 ", 0), 0u) << write;
    EXPECT_EQ(run.Broadcasts(), 0);
}

TEST(ZxOcLibSave, FailuresReturnZeroAndKeepAnExistingFile)
{
    BoardFixture board;
    std::string existing = board.File("Kept.oc");
    std::string old = ProfileBytes({{0x03010011, 40}});
    ASSERT_TRUE(zxtest::WriteWholeFile(existing, old));
    board.SetKey("group.3", "fail", "1");
    auto run = RunCalls({"ZxOcSaveCurrentDovrel null", "ZxOcSaveCurrentDovrel " + board.File("no\\such\\x.oc"),
                         "ZxOcSaveCurrentDovrel " + existing},
                        board.Environment());
    EXPECT_EQ(run.Line("ZxOcSaveCurrentDovrel", 0), "ZxOcSaveCurrentDovrel result=0");
    EXPECT_EQ(run.Line("ZxOcSaveCurrentDovrel", 1), "ZxOcSaveCurrentDovrel result=0");
    // Group 3 cannot be read: the profile already there is not lost.
    EXPECT_EQ(run.Line("ZxOcSaveCurrentDovrel", 2), "ZxOcSaveCurrentDovrel result=0");
    EXPECT_EQ(zxtest::ReadWholeFile(existing), old);
    EXPECT_FALSE(zxtest::FileExists(board.File("no\\such\\x.oc")));
}

TEST(ZxOcLibSave, BoardWithoutVisibleTuningItemsGivesTheTwelveByteFile)
{
    BoardFixture board;
    for (const char* id : {"0x03010011", "0x03020012", "0x03020032", "0x03020015", "0x03060013", "0x030600F0",
                           "0x030600F1", "0x030600F9", "0x03020016", "0x03020017", "0x03820019", "0x03080018",
                           "0x030800B4", "0x03010060", "0x03010061"})
        board.RemoveSection(id);  // only the hidden 0x0302001A is left
    std::string path = board.File("Empty.oc");
    auto run = RunCalls({"ZxOcSaveCurrentDovrel " + path}, board.Environment());
    EXPECT_EQ(run.Line("ZxOcSaveCurrentDovrel"), "ZxOcSaveCurrentDovrel result=1");
    EXPECT_EQ(zxtest::ReadWholeFile(path), ProfileBytes({}));
}

TEST(ZxOcLibSave, AnUnreadCoreRatioKeepsItsPlaceWithAnIndexNoLoadWrites)
{
    BoardFixture board;
    board.SetKey("0x03060013", "fail", "read");
    std::string path = board.File("Unread.oc");
    auto run = RunCalls({"ZxOcSaveCurrentDovrel " + path}, board.Environment());
    EXPECT_EQ(run.Line("ZxOcSaveCurrentDovrel"), "ZxOcSaveCurrentDovrel result=1");
    auto expected = kDefaultBoardProfile;
    for (auto& record : expected)
        if (record.first == 0x03060013)
            record.second = -1;
    EXPECT_EQ(zxtest::ReadWholeFile(path), ProfileBytes(expected));
}

// Items whose descriptors list no values (a string item without strings, a
// number item with a value count of -1 or 0) have nothing a profile could
// hold: they are left out, the rest is saved as always.
TEST(ZxOcLibSave, ItemsWithoutValuesAreLeftOut)
{
    BoardFixture board("fault-values");
    std::string path = board.File("Values.oc");
    auto run = RunCalls({"ZxOcSaveCurrentDovrel " + path}, board.Environment());
    EXPECT_EQ(run.Line("ZxOcSaveCurrentDovrel"), "ZxOcSaveCurrentDovrel result=1");
    auto expected = kDefaultBoardProfile;
    expected.erase(std::remove_if(expected.begin(), expected.end(),
                                  [](const std::pair<unsigned, int>& record) {
                                      return record.first == 0x03080018 || record.first == 0x03020015 ||
                                             record.first == 0x03020016;
                                  }),
                   expected.end());
    // The board's DRAM item, before the graphics items.
    expected.insert(expected.end() - 2, {0x03020033, 3});
    EXPECT_EQ(zxtest::ReadWholeFile(path), ProfileBytes(expected));
}
