// The debug trace, read through a debugger loop as a debugger would see it.

#include <gtest/gtest.h>

#include <string>

#include "DebugCapture.h"
#include "vessa/System/Source/DebugTrace.h"

namespace {
const char kMarker[] = "ZXTRACE ";
}

ZX_TEST_CHILD(traces)
{
    DebugTrace("%s%x  %d %d", kMarker, 0x03010011u, 4, 6);
    DebugTrace("%strailing blanks  \t", kMarker);
    DebugTrace("%sline end\r\n", kMarker);
    DebugTrace("%s", std::string(5000, 'L').c_str());
    DebugTrace(" \t ");
    return 0;
}

TEST(DebugTrace, FormatsTrimsAndEndsEveryLine)
{
    auto run = zxtest::RunChildUnderDebugger("traces");
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    auto marked = zxtest::TracesContaining(run, kMarker);
    ASSERT_EQ(marked.size(), 3u);
    EXPECT_EQ(marked[0], "ZXTRACE 3010011  4 6\r\n");
    EXPECT_EQ(marked[1], "ZXTRACE trailing blanks\r\n");
    EXPECT_EQ(marked[2], "ZXTRACE line end\r\n");

    auto longOnes = zxtest::TracesContaining(run, "LLLL");
    ASSERT_EQ(longOnes.size(), 1u);
    EXPECT_EQ(longOnes[0], std::string(kDebugTraceMaxText, 'L') + "\r\n");

    // Blank text leaves a bare line end.
    size_t bareLines = 0;
    for (const std::string& trace : run.traces)
        bareLines += trace == "\r\n";
    EXPECT_EQ(bareLines, 1u);
    for (const std::string& trace : run.traces)
        EXPECT_LE(trace.size(), static_cast<size_t>(kDebugTraceMaxText + 2));
}
