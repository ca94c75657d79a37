#include "app/controls/BoxLabel.h"

namespace {
constexpr char kBoxFont[] = "Arial";
}

TLabel* CreateBoxLabel(TWinControl* owner, const BoxLabelStyle& style, const RECT& bounds)
{
    auto* label = new TLabel(owner);
    label->SetParent(owner);
    label->SetAutoSize(false);
    label->Font()->SetName(kBoxFont);
    label->Font()->SetHeight(-style.characterHeight);
    label->Font()->SetStyle(fsBold);
    label->Font()->SetColor(style.color);
    label->SetAlignment(style.alignment);
    label->SetLayout(tlCenter);
    label->SetTransparent(true);
    label->SetBoundsRect(bounds);
    return label;
}
