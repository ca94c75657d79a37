#include "app/bars/AdvSmallBarType2.h"

AdvSmallBarType2::AdvSmallBarType2(int itemSlot) : AdvSmallBar(itemSlot) {}

const char* AdvSmallBarType2::GetSliderImageName() const
{
    return "small_slider02.png";
}
