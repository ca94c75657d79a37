#include "KyPackage/Source/KyFontColor.h"

void KyCtrlFontColor::Store(Slot slot, TColor value)
{
    if (m_colors[slot] == value)
        return;
    m_colors[slot] = value;
    m_onChange(this);
}

void KyCtrlFontColor::CopyTo(KyCtrlFontColor* target) const
{
    for (int slot = 0; slot < kSlotCount; ++slot)
        target->m_colors[slot] = m_colors[slot];
    target->m_onChange(target);
}

void KyCheckBoxFontColor::SetOnChange(const TNotifyEvent& handler)
{
    m_uncheck.SetOnChange(handler);
    m_check.SetOnChange(handler);
    m_gray.SetOnChange(handler);
}

void KyCheckBoxFontColor::AssignTo(TPersistent* destination)
{
    auto* target = As<KyCheckBoxFontColor>(destination);
    target->SetUncheck(Uncheck());
    target->SetCheck(Check());
    target->SetGray(Gray());
}

void KyRadioBtnFontColor::SetOnChange(const TNotifyEvent& handler)
{
    m_uncheck.SetOnChange(handler);
    m_check.SetOnChange(handler);
}

void KyRadioBtnFontColor::AssignTo(TPersistent* destination)
{
    auto* target = As<KyRadioBtnFontColor>(destination);
    target->SetUncheck(Uncheck());
    target->SetCheck(Check());
}

namespace {

TColor OrFont(TColor color, TColor fontColor)
{
    return color == kNoFontColor ? fontColor : color;
}

TColor OrRaised(TColor color, TColor raised)
{
    return color == kNoFontColor ? raised : color;
}

TColor DisabledOrGrayText(TColor color)
{
    return color == kNoFontColor ? clGrayText : color;
}

}  // namespace

TColor GetFontColorFromThreeState(const KyThreeStateFontColor* colors, int visual, TColor fontColor)
{
    switch (visual) {
    case 1:
        return OrFont(colors->Sunken(), fontColor);
    case 2:
        return OrFont(colors->Focused(), fontColor);
    case 3:
        return DisabledOrGrayText(colors->Disabled());
    default:
        return fontColor;
    }
}

TColor GetFontColorFromFourState(const KyFourStateFontColor* colors, int visual, TColor fontColor)
{
    TColor color = colors->Raised();
    switch (visual) {
    case 1:
        color = OrRaised(colors->Sunken(), colors->Raised());
        break;
    case 2:
        color = OrRaised(colors->Focused(), colors->Raised());
        break;
    case 3:
        color = DisabledOrGrayText(colors->Disabled());
        break;
    default:
        break;
    }
    return OrFont(color, fontColor);
}
