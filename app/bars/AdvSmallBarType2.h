#pragma once
// The small bar on its second slider picture (ticks on both sides).

#include "app/bars/AdvSmallBar.h"

class AdvSmallBarType2 : public AdvSmallBar {
public:
    explicit AdvSmallBarType2(int itemSlot);

    const char* GetSliderImageName() const override;
};
