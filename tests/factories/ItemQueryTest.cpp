// The two layout queries on the primary item set, each on a simulated
// board of its own in a child process (the set and the answer are kept
// for the life of the process).

#include <gtest/gtest.h>

#include <cstdio>

#include "BoardFixture.h"
#include "app/controls/ControlFactory.h"

namespace {

ZX_TEST_CHILD(item_queries)
{
    std::printf("expert=%d dram-empty=%d\n", HasExpertOptionItems(), IsDramGroupEmpty());
    std::fflush(stdout);
    return 0;
}

// A DRAM voltage item that the set files past its fixed slots.
void AddDramItem(zxtest::BoardFixture& board, const char* section)
{
    board.SetKey(section, "name", "DRAM Termination");
    board.SetKey(section, "info", "3");
    board.SetKey(section, "base", "1200");
    board.SetKey(section, "step", "20");
    board.SetKey(section, "count", "41");
    board.SetKey(section, "value", "3");
}

TEST(ItemQueries, ExpertOptionsAndTheDramGroupFollowTheBoardsItems)
{
    struct Case {
        const char* what;
        void (*edit)(zxtest::BoardFixture&);
        const char* expected;
    };
    const Case cases[] = {
        {"the default board: DRAM voltage only in its fixed slot", [](zxtest::BoardFixture&) {},
         "expert=1 dram-empty=1"},
        {"one expert item missing", [](zxtest::BoardFixture& board) { board.RemoveSection("0x030800B4"); },
         "expert=0 dram-empty=1"},
        {"a DRAM item past the fixed slots", [](zxtest::BoardFixture& board) { AddDramItem(board, "0x03020033"); },
         "expert=1 dram-empty=0"},
        {"a DRAM index with higher index bits", [](zxtest::BoardFixture& board) { AddDramItem(board, "0x03020135"); },
         "expert=1 dram-empty=0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        zxtest::BoardFixture board;
        c.edit(board);
        zxtest::ProcessResult run = zxtest::RunChild("item_queries", board.Environment());
        EXPECT_EQ(0u, run.exitCode) << run.output;
        EXPECT_NE(std::string::npos, run.output.find(c.expected)) << run.output;
    }
}

}  // namespace
