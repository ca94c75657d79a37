#pragma once
// The segment tables of the numeric LED: for each state of a position,
// which of its segments are lit. Each table is one process-wide object.

#include "vessa/Component/LED/ScalableLED.h"

namespace vessa {

// Seven segments in the order top, upper right, lower right, bottom, lower
// left, upper left, middle. State 0 is blank, digit d is state d + 1 and
// state 11 lights every segment.
class SevenSegTbl : public LED_Director {
public:
    int StateCount() const override { return 12; }
    int ChildState(int state, int segment) const override;
    static const SevenSegTbl& Instance();
};

// One segment: 0 off, 1 on.
class SingleSegTbl : public LED_Director {
public:
    int StateCount() const override { return 2; }
    int ChildState(int state, int segment) const override;
    static const SingleSegTbl& Instance();
};

// Four segments, all off (0) or all on (1).
class FourSegBinStateTbl : public LED_Director {
public:
    int StateCount() const override { return 2; }
    int ChildState(int state, int segment) const override;
    static const FourSegBinStateTbl& Instance();
};

// Sixteen segments, all off (0) or all on (1).
class ThirteenSegBinStateTbl : public LED_Director {
public:
    int StateCount() const override { return 2; }
    int ChildState(int state, int segment) const override;
    static const ThirteenSegBinStateTbl& Instance();
};

}  // namespace vessa
