// The profile box's entries (stored profiles, then ".oc" files of any case,
// never folders), reading the chosen entry, and moving the bars to it.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>

#include "BoardFixture.h"
#include "FakeBar.h"
#include "SimulatedBoard.h"
#include "TestFiles.h"
#include "TestPaths.h"
#include "app/controller/ProfileEntries.h"

namespace {

using apptest::FakeBar;

const std::vector<std::string> kStoredProfiles = {"Gaming", "Quiet", "Benchmark"};  // the default board's

class ProfileEntries : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        board = new zxtest::SimulatedBoard(zxtest::SimulatedBoard::FromShipped("default"));
        board->UseInThisProcess();
    }
    static void TearDownTestSuite()
    {
        delete board;
        board = nullptr;
    }
    std::string Folder() const { return m_folder.Path() + "\\"; }
    void Write(const std::string& name, const std::string& bytes) const
    {
        ASSERT_TRUE(zxtest::WriteWholeFile(m_folder.File(name), bytes));
    }

    static zxtest::SimulatedBoard* board;
    zxtest::TempFolder m_folder;
};
zxtest::SimulatedBoard* ProfileEntries::board = nullptr;

TEST_F(ProfileEntries, StoredProfilesFirstThenOnlyProfileFilesOfAnyCase)
{
    const std::string profile = zxtest::ProfileBytes({{0x03010011, 40}});
    for (const char* name : {"Fast.OC", "slow.oc", "Fast.oc.bak", "Fast", "notes.txt"})
        Write(name, profile);
    ASSERT_TRUE(CreateDirectoryA(m_folder.File("Folder.oc").c_str(), nullptr));

    const std::vector<std::string> entries = ListProfileEntries(Folder());
    ASSERT_EQ(5u, entries.size()) << testing::PrintToString(entries);
    EXPECT_EQ(kStoredProfiles, std::vector<std::string>(entries.begin(), entries.begin() + 3));
    std::vector<std::string> files(entries.begin() + 3, entries.end());
    std::sort(files.begin(), files.end());
    EXPECT_EQ((std::vector<std::string>{"Fast", "slow"}), files);
    // Without a profile folder only the stored profiles are listed.
    EXPECT_EQ(kStoredProfiles, ListProfileEntries(""));
}

TEST_F(ProfileEntries, AnEntryIsReadFromTheBiosOrFromItsFile)
{
    Write("Fast.oc", zxtest::ProfileBytes({{0x03010011, 40}, {0x03020012, 60}}));
    const ZxOcItemValueList untouched = {{1, 2}};

    ZxOcItemValueList values = untouched;
    ASSERT_TRUE(ReadProfileEntry(3, "Fast", Folder(), values));
    ASSERT_EQ(2u, values.size());
    EXPECT_EQ(0x03010011u, values[0].id);
    EXPECT_EQ(40, values[0].value);

    // Stored profile 1 ("Quiet") over the current settings: core voltage 40.
    values = untouched;
    ASSERT_TRUE(ReadProfileEntry(1, "Quiet", Folder(), values));
    auto core =
        std::find_if(values.begin(), values.end(), [](const tagZxOcItemValue& v) { return v.id == 0x03020012; });
    ASSERT_NE(values.end(), core);
    EXPECT_EQ(40, core->value);

    // A file gone since the list was made, a bad index, a later version.
    Write("Later.oc", zxtest::ProfileBytes({{0x03010011, 40}}, 2));
    for (const auto& [index, text] :
         std::vector<std::pair<int, std::string>>{{3, "Gone"}, {-1, "Fast"}, {4, "Later"}}) {
        SCOPED_TRACE(text);
        values = untouched;
        EXPECT_FALSE(ReadProfileEntry(index, text, Folder(), values));
        EXPECT_EQ(1u, values.size());
    }
}

TEST_F(ProfileEntries, ChoosingAProfileMovesOnlyEnabledBarsAndRatiosInCoreOrder)
{
    FakeBar fsb(0x03010011, 33, true);
    FakeBar core(0x03020012, 56, true);
    FakeBar dram(0x03020032, 15, true);
    dram.SetEnabled(false);
    FakeBar core0(0x03060013, 28, true);
    FakeBar core1(0x03060013, 28, true);
    std::map<DWORD, AdvBar*> byItem = {{0x03010011, &fsb}, {0x03020012, &core}, {0x03020032, &dram}};
    auto lookup = [&](DWORD id) -> AdvBar* {
        auto found = byItem.find(id);
        return found == byItem.end() ? nullptr : found->second;
    };
    const ZxOcItemValueList profile = {{0x03060013, 30}, {0x03060013, 31}, {0x03060013, 32},  // one more than cores
                                       {0x03010011, 40}, {0x03020032, 20}, {0x03020099, 5},   // no bar
                                       {0x03020012, 60}};
    MoveBarsToProfile(profile, true, {&core0, &core1}, lookup);
    EXPECT_EQ(30, core0.GetPosition());
    EXPECT_EQ(31, core1.GetPosition());
    EXPECT_EQ(40, fsb.GetPosition());
    EXPECT_EQ(60, core.GetPosition());
    EXPECT_EQ(15, dram.GetPosition());  // disabled: stays

    // One ratio for all cores: the ratio record goes to the ratio item's bar.
    FakeBar ratio(0x03060013, 28, true);
    byItem[0x03060013] = &ratio;
    MoveBarsToProfile({{0x03060013, 33}}, false, {&core0, &core1}, lookup);
    EXPECT_EQ(33, ratio.GetPosition());
    EXPECT_EQ(30, core0.GetPosition());
}

}  // namespace
