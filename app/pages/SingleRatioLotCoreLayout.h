#pragma once
// The ratio page of a board with more than four cores and one ratio for
// all of them: a large bar for the first core, and a small display bar
// beside it for each further core (up to the sixth), which all follow it.

#include "app/pages/RatioLayout.h"

class SingleRatioLotCoreLayout : public RatioLayout {
protected:
    void BuildBars(std::vector<AdvBar*>& bars) override;
};
