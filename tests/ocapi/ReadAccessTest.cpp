// Query, Get, IsOxlenMode and the first use of the item library, black-box
// against a private simulated board.

#include <gtest/gtest.h>

#include "BoardFixture.h"
#include "LibraryCaller.h"

using ocapitest::RunCalls;
using zxtest::BoardFixture;

namespace {

struct QueryCase {
    const char* function;
    const char* expected;
};

}  // namespace

TEST(ZxOcLibQuery, RecordsOfTheFourSlotsFollowTheBoard)
{
    // Minimum and step as rationals with the item's unit digits; the step
    // keeps the denominator of position 1.
    const QueryCase cases[] = {
        {"ZxOcQueryFsbFrquencyInfo",
         "ZxOcQueryFsbFrquencyInfo result=1 name=CPU FSB Frequency nameLength=17 min=10000/100 step=100/100 count=201"},
        {"ZxOcQueryVcoreVoltInfo", "ZxOcQueryVcoreVoltInfo result=1 name=CPU Core Voltage nameLength=16 "
                                   "min=80000/100000 step=625/100000 count=129"},
        {"ZxOcQueryDramVoltInfo",
         "ZxOcQueryDramVoltInfo result=1 name=DRAM Voltage nameLength=12 min=1200/1000 step=20/1000 count=41"},
        {"ZxOcQueryNbCoreVoltInfo",
         "ZxOcQueryNbCoreVoltInfo result=1 name=NB Core Voltage nameLength=15 min=1000/1000 step=25/1000 count=17"},
    };
    for (bool byOrdinal : {false, true}) {
        BoardFixture board;
        std::vector<std::string> calls;
        for (const auto& c : cases)
            calls.push_back(c.function);
        auto run = RunCalls(calls, board.Environment(), byOrdinal);
        for (const auto& c : cases)
            EXPECT_EQ(run.Line(c.function), c.expected) << (byOrdinal ? "by ordinal" : "by name");
        EXPECT_TRUE(board.Writes().empty());
        EXPECT_EQ(run.Broadcasts(), 0);
    }
}

TEST(ZxOcLibQuery, OneValueItemEmptySlotLongNameAndNullRecord)
{
    BoardFixture board;
    board.SetKey("0x03020015", "count", "1");
    board.RemoveSection("0x03020032");  // no DRAM voltage item: slot 2 stays empty
    board.SetKey("0x03010011", "name", "CPU FSB Frequency Host Clock Setting");
    auto run = RunCalls(
        {"ZxOcQueryNbCoreVoltInfo", "ZxOcQueryDramVoltInfo", "ZxOcQueryFsbFrquencyInfo", "ZxOcQueryVcoreVoltInfo null"},
        board.Environment());

    EXPECT_EQ(run.Line("ZxOcQueryNbCoreVoltInfo"),
              "ZxOcQueryNbCoreVoltInfo result=1 name=NB Core Voltage nameLength=15 min=1000/1000 step=0/1 count=1");
    // An empty slot leaves the caller's record as it was (0x5A bytes).
    EXPECT_EQ(run.Line("ZxOcQueryDramVoltInfo").substr(0, 31), "ZxOcQueryDramVoltInfo result=0 ");
    EXPECT_NE(run.Line("ZxOcQueryDramVoltInfo").find("count=1515870810"), std::string::npos);
    // A name of 32 characters or more is cut to 31 and terminated.
    EXPECT_EQ(run.Line("ZxOcQueryFsbFrquencyInfo"),
              "ZxOcQueryFsbFrquencyInfo result=1 name=CPU FSB Frequency Host Clock Se nameLength=31 "
              "min=10000/100 step=100/100 count=201");
    EXPECT_EQ(run.Line("ZxOcQueryVcoreVoltInfo").substr(0, 31), "ZxOcQueryVcoreVoltInfo result=0");
}

TEST(ZxOcLibGet, CurrentIndexesAndFailedReads)
{
    BoardFixture board;
    board.SetKey("0x03020032", "fail", "read");
    auto run = RunCalls(
        {"ZxOcGetFsbFrquency", "ZxOcGetVcoreVolt", "ZxOcGetDramVolt", "ZxOcGetNbCoreVolt", "ZxOcGetFsbFrquency null"},
        board.Environment());
    EXPECT_EQ(run.Line("ZxOcGetFsbFrquency"), "ZxOcGetFsbFrquency result=1 value=33");
    EXPECT_EQ(run.Line("ZxOcGetVcoreVolt"), "ZxOcGetVcoreVolt result=1 value=56");
    EXPECT_EQ(run.Line("ZxOcGetDramVolt"), "ZxOcGetDramVolt result=0 value=-7");  // untouched
    EXPECT_EQ(run.Line("ZxOcGetNbCoreVolt"), "ZxOcGetNbCoreVolt result=1 value=4");
    EXPECT_EQ(run.Line("ZxOcGetFsbFrquency", 1), "ZxOcGetFsbFrquency result=0 value=-7");
    EXPECT_TRUE(board.Writes().empty());
}

TEST(ZxOcLibPowerSaving, SwitchMissingOffAndOn)
{
    struct Case {
        const char* value;  // nullptr: the switch item is missing
        const char* expected;
    };
    const Case cases[] = {
        {nullptr, "ZxOcIsOxlenMode result=0"},
        {"0", "ZxOcIsOxlenMode result=0"},
        {"1", "ZxOcIsOxlenMode result=1"},
    };
    for (const auto& c : cases) {
        BoardFixture board;
        if (c.value)
            board.SetKey("0x0B060001", "value", c.value);
        else
            board.RemoveSection("0x0B060001");
        auto run = RunCalls({"ZxOcIsOxlenMode"}, board.Environment());
        EXPECT_EQ(run.Line("ZxOcIsOxlenMode"), c.expected) << (c.value ? c.value : "missing");
        EXPECT_TRUE(board.Writes().empty());
    }
}

TEST(ZxOcLibStart, ItemLibraryIsOpenedBeforeTheFirstCallOfAnyExport)
{
    // Query, IsOxlenMode and Save may be a fresh process's first call.
    for (const char* first : {"ZxOcQueryVcoreVoltInfo", "ZxOcIsOxlenMode", "ZxOcGetNbCoreVolt"}) {
        BoardFixture board;
        RunCalls({first}, board.Environment());
        auto log = board.LogLines();
        ASSERT_FALSE(log.empty()) << first;
        EXPECT_NE(log[0].find("AcpiOpen"), std::string::npos) << first << ": " << log[0];
    }
    BoardFixture board;
    RunCalls({"ZxOcSaveCurrentDovrel " + board.File("first.oc")}, board.Environment());
    auto log = board.LogLines();
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log[0].find("AcpiOpen"), std::string::npos) << log[0];
}
