#include "KyPackage/Source/SegmentTables.h"

#include "vessa/System/VessaAssert.h"

namespace vessa {

namespace {

const unsigned char kSevenSegments[12][7] = {
    {0, 0, 0, 0, 0, 0, 0},  // blank
    {1, 1, 1, 1, 1, 1, 0},  // 0
    {0, 1, 1, 0, 0, 0, 0},  // 1
    {1, 1, 0, 1, 1, 0, 1},  // 2
    {1, 1, 1, 1, 0, 0, 1},  // 3
    {0, 1, 1, 0, 0, 1, 1},  // 4
    {1, 0, 1, 1, 0, 1, 1},  // 5
    {1, 0, 1, 1, 1, 1, 1},  // 6
    {1, 1, 1, 0, 0, 0, 0},  // 7
    {1, 1, 1, 1, 1, 1, 1},  // 8
    {1, 1, 1, 1, 0, 1, 1},  // 9
    {1, 1, 1, 1, 1, 1, 1},  // every segment
};

// A two-state table: every segment follows the state.
int AllOrNone(int state, int segment, int stateCount, int segmentCount)
{
    VESSA_ASSERT(state >= 0 && state < stateCount);
    VESSA_ASSERT(segment >= 0 && segment < segmentCount);
    return state;
}

}  // namespace

int SevenSegTbl::ChildState(int state, int segment) const
{
    VESSA_ASSERT(state >= 0 && state < StateCount());
    VESSA_ASSERT(segment >= 0 && segment < 7);
    return kSevenSegments[state][segment];
}

int SingleSegTbl::ChildState(int state, int segment) const
{
    return AllOrNone(state, segment, StateCount(), 1);
}
int FourSegBinStateTbl::ChildState(int state, int segment) const
{
    return AllOrNone(state, segment, StateCount(), 4);
}
int ThirteenSegBinStateTbl::ChildState(int state, int segment) const
{
    return AllOrNone(state, segment, StateCount(), 16);
}

// Created on first request and kept for the life of the process.
const SevenSegTbl& SevenSegTbl::Instance()
{
    static const SevenSegTbl* table = new SevenSegTbl;
    return *table;
}
const SingleSegTbl& SingleSegTbl::Instance()
{
    static const SingleSegTbl* table = new SingleSegTbl;
    return *table;
}
const FourSegBinStateTbl& FourSegBinStateTbl::Instance()
{
    static const FourSegBinStateTbl* table = new FourSegBinStateTbl;
    return *table;
}
const ThirteenSegBinStateTbl& ThirteenSegBinStateTbl::Instance()
{
    static const ThirteenSegBinStateTbl* table = new ThirteenSegBinStateTbl;
    return *table;
}

}  // namespace vessa
