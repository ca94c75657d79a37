// The read/write wrappers and the fixed information list, on a board with
// failing items.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoardItems.h"
#include "turboInfo_Intel/BiosInterface.h"

namespace {

const char kAccessBoard[] = R"([board]
info=7,0x03000000,6
[0x03020012]
name=CPU Core Voltage
base=800
exponent=-2
step=25
count=10
value=3
[0x03020015]
name=Unreadable
base=800
exponent=-2
step=25
count=10
value=3
fail=read
[0x03020032]
name=Unwritable
base=800
exponent=-2
step=25
count=10
value=3
fail=write
[0x030600F1]
name=Danger limits
base=0
exponent=0
step=1
count=1
at.18=0x00070000
[0x030600F2]
name=Failing positions
base=0
exponent=0
step=1
count=1
at.18=5
fail=at
[0x0B060001]
name=Power saving
value=0
)";

TEST(ItemAccess, ReadsKeepTheirOutputWhenTheyFail)
{
    itemtest::BoardInUse use(kAccessBoard);
    int index = 77;
    EXPECT_TRUE(ReadItemValue(0x03020012, &index));
    EXPECT_EQ(index, 3);

    index = 77;
    EXPECT_FALSE(ReadItemValue(0x03020015, &index));
    EXPECT_EQ(index, 77);
    EXPECT_FALSE(ReadItemValue(0x03099999, &index));
    EXPECT_EQ(index, 77);

    int value = 77;
    EXPECT_TRUE(ReadItemValueAt(0x030600F1, 0x12, &value));
    EXPECT_EQ(value, 0x00070000);
    value = 77;
    EXPECT_FALSE(ReadItemValueAt(0x030600F1, 0x13, &value));  // no word for that position
    EXPECT_EQ(value, 77);
    EXPECT_FALSE(ReadItemValueAt(0x030600F2, 0x12, &value));
    EXPECT_EQ(value, 77);
}

TEST(ItemAccess, WritesReachTheBoardOnlyWhenAccepted)
{
    itemtest::BoardInUse use(kAccessBoard);
    EXPECT_TRUE(SetItemValue(0x03020012, 7, kAcpiTuningWriteMode) & 1);
    int index = 0;
    ASSERT_TRUE(ReadItemValue(0x03020012, &index));
    EXPECT_EQ(index, 7);
    EXPECT_NE(use.board.BoardText().find("value=7"), std::string::npos);  // kept in the NVRAM

    // Out of range and refused writes leave the value.
    EXPECT_FALSE(SetItemValue(0x03020012, 10, kAcpiTuningWriteMode) & 1);
    EXPECT_FALSE(SetItemValueMode1(0x03020012, -1));
    EXPECT_FALSE(SetItemValueMode1(0x03020032, 4));
    ASSERT_TRUE(ReadItemValue(0x03020012, &index));
    EXPECT_EQ(index, 7);
    ASSERT_TRUE(ReadItemValue(0x03020032, &index));
    EXPECT_EQ(index, 3);

    EXPECT_TRUE(SetItemValueMode1(0x0B060001, 1));
    ASSERT_TRUE(ReadItemValue(0x0B060001, &index));
    EXPECT_EQ(index, 1);
}

TEST(ItemAccess, InfoValuesAreCutToTheListAndNeverTakenFromAFailedRead)
{
    itemtest::BoardInUse use(kAccessBoard);
    struct Case {
        const char* what;
        int start;
        int count;
        int copied;
        std::vector<int> values;  // the four outputs afterwards, preset to -1
    };
    const Case cases[] = {
        {"whole list", 0, 3, 3, {7, 0x03000000, 6, -1}},
        {"information level entry", 1, 1, 1, {0x03000000, -1, -1, -1}},
        {"count cut to what is left", 1, 4, 2, {0x03000000, 6, -1, -1}},
        {"start at the end", 3, 1, 0, {-1, -1, -1, -1}},
        {"start past the end", 40, 2, 0, {-1, -1, -1, -1}},
        {"negative count", 0, -2, 0, {-1, -1, -1, -1}},
        {"negative start", -1, 2, 0, {-1, -1, -1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<int> values(4, -1);
        EXPECT_EQ(ReadBiosInfoValues(values.data(), c.start, c.count), c.copied);
        EXPECT_EQ(values, c.values);
    }
}

TEST(ItemAccess, InfoValuesAreTakenWhateverTheResultWordSays)
{
    struct Case {
        const char* what;
        const char* board;
        int copied;
        std::vector<int> values;
    };
    const Case cases[] = {
        {"result word 0 with the list", "[board]\ninfo=7,0x03000000,6\ninfo.result=0\n", 2, {0x03000000, 6, -1}},
        {"result word with other bits", "[board]\ninfo=7,0x02000000\ninfo.result=0x10\n", 1, {0x02000000, -1, -1}},
        {"a list of its header alone", "[board]\ninfo=\ninfo.result=0\n", 0, {-1, -1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        itemtest::BoardInUse use(c.board);
        std::vector<int> values(3, -1);
        EXPECT_EQ(ReadBiosInfoValues(values.data(), 1, 2), c.copied);
        EXPECT_EQ(values, c.values);
    }
}

TEST(ItemAccess, NoBoardFailsEveryCallCleanly)
{
    itemtest::NoBoardInUse noBoard;
    int index = 77;
    EXPECT_FALSE(ReadItemValue(0x03020012, &index));
    EXPECT_FALSE(ReadItemValueAt(0x030600F1, 0x12, &index));
    EXPECT_EQ(index, 77);
    EXPECT_FALSE(SetItemValueMode1(0x03020012, 1));
    EXPECT_FALSE(SetItemValue(0x03020012, 1, kAcpiTuningWriteMode) & 1);
    std::vector<int> values(2, -1);
    EXPECT_EQ(ReadBiosInfoValues(values.data(), 0, 2), 0);
    EXPECT_EQ(values, (std::vector<int>{-1, -1}));
    DWORD id = 0x1234;
    EXPECT_FALSE(FindItemId(3, 0x12, &id));
    EXPECT_EQ(id, 0x1234u);
}

}  // namespace
