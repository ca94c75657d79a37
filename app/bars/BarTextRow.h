#pragma once
// The texts of a scroll bar's row, side by side before its track: name,
// BIOS value, value and unit. Fit widens the two value labels to the widest
// text they can show, measured in each label's own font, and lays the row
// out right to left so that no label overlaps its right neighbour or passes
// the row's right end; the name label gives up the room the values need
// (its end ellipsis shows what it lost).

#include <string>
#include <vector>

#include "platform/vcl/Label.h"

class TFont;

// Pixels `text` takes in `font`, as GDI measures it.
int MeasureTextWidth(TFont* font, const std::string& text);

struct BarTextRow {
    TCustomLabel* name = nullptr;
    TCustomLabel* biosValue = nullptr;
    TCustomLabel* value = nullptr;
    TCustomLabel* unit = nullptr;
    int rightEnd = 0;  // nothing of the row reaches past this x

    // `texts`: every text the value labels can show.
    void Fit(const std::vector<std::string>& texts) const;
};
