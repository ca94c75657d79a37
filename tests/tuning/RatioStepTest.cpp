// Whether the CPU ratio moves in fractional steps: the step between the
// first two values of the ratio's range, so that an item with extra
// strings ("Auto") before the range answers without a message box.

#include <gtest/gtest.h>

#include <cstdio>

#include "BoardFixture.h"
#include "MessageBoxCatcher.h"
#include "TestProcess.h"
#include "tuning/KyOcRatio.h"

namespace {

ZX_TEST_CHILD(ratio_step)
{
    zxtest::MessageBoxCatcher boxes;
    const bool fractional = KyOcRatio::GetInstance().HasFractionalStep();
    std::printf("fractional=%d boxes=%d\n", fractional ? 1 : 0, static_cast<int>(boxes.Boxes().size()));
    std::fflush(stdout);
    return 0;
}

// The default board's ratio item under another id, with its range.
void AddRatioItem(zxtest::BoardFixture& board, const char* section, const char* step, const char* strings)
{
    board.RemoveSection("0x03060013");
    board.SetKey(section, "name", "CPU Ratio");
    board.SetKey(section, "base", "60");
    board.SetKey(section, "exponent", "-1");
    board.SetKey(section, "step", step);
    board.SetKey(section, "count", "20");
    if (strings != nullptr)
        board.SetKey(section, "strings", strings);
    board.SetKey(section, "value", "0");
}

TEST(RatioStep, TheFirstTwoRangeValuesDecideAndExtraStringsAreSkipped)
{
    struct Case {
        const char* what;
        const char* section;  // null: the default board's ratio item
        const char* step;
        const char* strings;
        const char* expected;
    };
    const Case cases[] = {
        {"half steps (6.0, 6.5, ...)", nullptr, nullptr, nullptr, "fractional=1 boxes=0"},
        {"whole steps", "0x03060013", "10", nullptr, "fractional=0 boxes=0"},
        {"\"Auto\" before half steps", "0x03860013", "5", "Auto", "fractional=1 boxes=0"},
        {"\"Auto\" and \"Max\" before whole steps", "0x03860013", "10", "Auto|Max", "fractional=0 boxes=0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        zxtest::BoardFixture board;
        if (c.section != nullptr)
            AddRatioItem(board, c.section, c.step, c.strings);
        zxtest::ProcessResult run = zxtest::RunChild("ratio_step", board.Environment());
        EXPECT_EQ(0u, run.exitCode) << run.output;
        EXPECT_NE(std::string::npos, run.output.find(c.expected)) << run.output;
    }
}

}  // namespace
