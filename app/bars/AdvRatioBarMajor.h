#pragma once
// The large ratio bar of the single-ratio and turbo pages: a regular bar
// with its Roman numeral below the track and both read-outs, the ratio and
// the frequency in large green digits, to its right.

#include "app/bars/AdvRatioBarRegular.h"

class AdvRatioBarMajor : public AdvRatioBarRegular {
public:
    explicit AdvRatioBarMajor(int coreIndex) : AdvRatioBarRegular(coreIndex) {}

    void SetCoreNumber(int core) override;
};
