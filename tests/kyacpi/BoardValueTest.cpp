// Reads and writes on the simulated board: ranges, raw status values, the
// core selector with its commit slot, indexed values, data reads and the
// fail= switches.

#include <gtest/gtest.h>

#include "KyAcpiTestSupport.h"
#include "SimulatedBoard.h"

using namespace kyacpitest;

namespace {

const char kRatioBoard[] = "[0x03010011]\n"
                           "name=FSB\n"
                           "base=10000\n"
                           "step=100\n"
                           "count=201\n"
                           "value=33\n"
                           "[0x03820019]\n"
                           "name=VTT\n"
                           "base=1000\n"
                           "step=20\n"
                           "count=3\n"
                           "strings=Auto\n"
                           "[0x03080018]\n"
                           "name=LLC\n"
                           "strings=Auto|Level 1|Level 2\n"
                           "value=2\n"
                           "[0x03060013]\n"
                           "name=CPU Ratio\n"
                           "base=60\n"
                           "exponent=-1\n"
                           "step=5\n"
                           "count=47\n"
                           "value=28\n"
                           "cores=28,27,26,25\n"
                           "[0x030600F0]\n"
                           "name=Core Select\n"
                           "attributes=0x40000000\n"
                           "count=4\n"
                           "value=255\n"
                           "[0x030600F1]\n"
                           "name=Danger Limit\n"
                           "count=1\n"
                           "at.0x12=0x00600000\n"
                           "at.19=0x00200000\n"
                           "[0x05080002]\n"
                           "name=Profiles\n"
                           "strings=A|B\n"
                           "data.0=1,0x03010011,40,0xFFFFFFFF\n"
                           "data.1=\n"
                           "[0x0B060001]\n"
                           "name=Power Saving\n"
                           "value=0\n"
                           "[0x00060008]\n"
                           "name=Status\n"
                           "value=0x12\n";

class BoardValues : public ::testing::Test {
protected:
    void SetUp() override { m_board.UseInThisProcess(); }
    zxtest::SimulatedBoard m_board = zxtest::SimulatedBoard::FromText(kRatioBoard);
};

}  // namespace

TEST_F(BoardValues, WritesInsideTheValueListAreTakenOthersRefused)
{
    struct Case {
        DWORD id;
        int index;
        int mode;
        bool accepted;
    } cases[] = {
        {0x03010011, 0, 2, true},      {0x03010011, 200, 1, true}, {0x03010011, 201, 2, false},
        {0x03010011, -1, 2, false},    {0x03010011, 5, 0, false},  {0x03010011, 5, 3, false},
        {0x03820019, 3, 2, true},      {0x03820019, 4, 2, false},  // "Auto" + 3 values
        {0x03080018, 2, 2, true},      {0x03080018, 3, 2, false},  {0x0B060001, 1, 1, true},
        {0x00060008, 0x7FFF, 2, true}, {0x00060008, -7, 1, true},  {0x03010099, 0, 2, false},
    };
    for (const Case& c : cases) {
        int before = ReadOr(c.id, -99);
        int result = AcpiSetItemValue(c.id, c.index, c.mode);
        EXPECT_EQ(result & 1, c.accepted ? 1 : 0) << std::hex << c.id << std::dec << " index " << c.index;
        EXPECT_EQ(ReadOr(c.id, -99), c.accepted ? c.index : before) << std::hex << c.id;
    }
}

TEST_F(BoardValues, FailedReadLeavesTheIndexAlone)
{
    int index = -5;
    EXPECT_EQ(AcpiGetItemValue(0x03010099, &index), 0);
    EXPECT_EQ(index, -5);
    EXPECT_EQ(AcpiGetItemValue(0x03010011, nullptr), 0);
    ASSERT_EQ(AcpiGetItemValue(0x03010011, &index), 1);
    EXPECT_EQ(index, 33);
    EXPECT_EQ(ReadOr(0x00060008, 0), 0x12);
}

TEST_F(BoardValues, RatioFollowsTheSelectorAndTheCommitSlotKeepsCoresApart)
{
    // At 255 the ratio reads the commit slot.
    EXPECT_EQ(ReadOr(0x03060013, -1), 28);
    for (int core = 0; core < 4; core++) {
        ASSERT_EQ(AcpiSetItemValue(0x030600F0, core, 1), 1);
        EXPECT_EQ(ReadOr(0x03060013, -1), 28 - core);
    }
    EXPECT_EQ(AcpiSetItemValue(0x030600F0, 4, 1), 0);
    EXPECT_EQ(AcpiSetItemValue(0x030600F0, -1, 1), 0);
    EXPECT_EQ(ReadOr(0x030600F0, -1), 3);

    // Per-core writes, then 255 and the last value once more: the cores
    // keep their own values.
    const int ratios[4] = {30, 31, 32, 33};
    for (int core = 0; core < 4; core++) {
        ASSERT_EQ(AcpiSetItemValue(0x030600F0, core, 2), 1);
        ASSERT_EQ(AcpiSetItemValue(0x03060013, ratios[core], 2), 1);
    }
    ASSERT_EQ(AcpiSetItemValue(0x030600F0, 255, 1), 1);
    ASSERT_EQ(AcpiSetItemValue(0x03060013, 40, 2), 1);
    EXPECT_EQ(ReadOr(0x03060013, -1), 40);
    EXPECT_EQ(AcpiSetItemValue(0x03060013, 47, 2), 0);
    for (int core = 0; core < 4; core++) {
        ASSERT_EQ(AcpiSetItemValue(0x030600F0, core, 1), 1);
        EXPECT_EQ(ReadOr(0x03060013, -1), ratios[core]) << "core " << core;
    }
}

TEST_F(BoardValues, IndexedValuesComeFromAtKeys)
{
    int value = 7;
    ASSERT_EQ(AcpiGetItemValueAt(0x030600F1, 0x12, &value), 1);
    EXPECT_EQ(value, 0x00600000);
    ASSERT_EQ(AcpiGetItemValueAt(0x030600F1, 0x13, &value), 1);
    EXPECT_EQ(value, 0x00200000);
    value = 7;
    EXPECT_EQ(AcpiGetItemValueAt(0x030600F1, 0x11, &value), 0);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(AcpiGetItemValueAt(0x03010099, 0x12, &value), 0);
}

TEST_F(BoardValues, DataReadsNeverPassTheGivenSize)
{
    struct Case {
        int number;
        int size;
        int result;
        int bytes;
    } cases[] = {
        {0, 4096, 1, 16}, {0, 16, 1, 16},  {0, 15, 1, 12},     {0, 3, 1, 0},
        {0, 0, 1, 0},     {1, 4096, 1, 0}, {2, 4096, 0, 4096}, {0, -4, 0, -4},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> buffer(64, 0xCC);
        int size = c.size;
        EXPECT_EQ(AcpiReadItemData(0x05080002, c.number, buffer.data(), &size), c.result)
            << "number " << c.number << " size " << c.size;
        EXPECT_EQ(size, c.bytes) << "number " << c.number << " size " << c.size;
        int written = c.result ? c.bytes : 0;
        EXPECT_EQ(buffer[written], 0xCC) << "wrote past the filled bytes";
    }
    std::vector<DWORD> words(4);
    int size = 16;
    ASSERT_EQ(AcpiReadItemData(0x05080002, 0, words.data(), &size), 1);
    EXPECT_EQ(words, (std::vector<DWORD>{1, 0x03010011, 40, 0xFFFFFFFF}));
}

TEST(BoardFailSwitches, EachSwitchFailsItsOperationOnly)
{
    struct Case {
        const char* switches;
        bool read, write, descriptor, data, at;
    } cases[] = {
        {"read", false, true, true, true, true},
        {"write", true, false, true, true, true},
        {"descriptor", true, true, false, true, true},
        {"data", true, true, true, false, true},
        {"at", true, true, true, true, false},
        {"read,write, at", false, false, true, true, false},
        {"", true, true, true, true, true},
    };
    for (const Case& c : cases) {
        zxtest::SimulatedBoard board = zxtest::SimulatedBoard::FromText(
            std::string("[0x03010011]\nname=FSB\ncount=10\nvalue=3\nat.1=0x55\ndata.0=1,2\nfail=") + c.switches + "\n");
        board.UseInThisProcess();
        SCOPED_TRACE(c.switches);
        int index = -1;
        EXPECT_EQ(AcpiGetItemValue(0x03010011, &index), c.read ? 1 : 0);
        EXPECT_EQ(index, c.read ? 3 : -1);
        EXPECT_EQ(AcpiSetItemValue(0x03010011, 4, 2), c.write ? 1 : 0);
        EXPECT_EQ(ReadDescriptor(0x03010011).result != 0, c.descriptor);
        std::vector<BYTE> buffer(64);
        int size = 64;
        EXPECT_EQ(AcpiReadItemData(0x03010011, 0, buffer.data(), &size), c.data ? 1 : 0);
        int value = 0;
        EXPECT_EQ(AcpiGetItemValueAt(0x03010011, 1, &value), c.at ? 1 : 0);
    }
}

TEST(BoardFailSwitches, FailingGroupRefusesItsList)
{
    zxtest::SimulatedBoard board = zxtest::SimulatedBoard::FromText(
        "[0x03010011]\nname=FSB\ncount=10\n[0x05080002]\nname=P\nstrings=A\n[group.3]\nfail=1\n");
    board.UseInThisProcess();
    std::vector<BYTE> buffer(kAcpiPackageBufferSize, 0xCC);
    int size = kAcpiPackageBufferSize;
    EXPECT_EQ(AcpiReadGroupList(3, buffer.data(), &size), 0);
    EXPECT_EQ(buffer[0], 0xCC);
    EXPECT_EQ(GroupIds(5), (std::vector<DWORD>{0x05080002}));
    // The items themselves still answer.
    EXPECT_EQ(ReadOr(0x03010011, -1), 0);
}
