#include "app/bars/BarTextRow.h"

#include <windows.h>

#include <algorithm>

#include "platform/vcl/GdiGuards.h"
#include "platform/vcl/GraphicsObjects.h"

namespace {

// Space between two texts of the row.
constexpr int kTextGap = 4;

int WidestText(TFont* font, const std::vector<std::string>& texts)
{
    int widest = 0;
    for (const std::string& text : texts)
        widest = std::max(widest, MeasureTextWidth(font, text));
    return widest;
}

// Keeps `label` at least `width` wide with its right edge at most at
// `rightEnd`; returns where the next label to the left must end.
int PlaceBefore(TCustomLabel* label, int width, int rightEnd)
{
    const int right = std::min(label->Left() + label->Width(), rightEnd);
    const int newWidth = std::max(label->Width(), width);
    label->SetBounds(right - newWidth, label->Top(), newWidth, label->Height());
    return label->Left() - kTextGap;
}

}  // namespace

int MeasureTextWidth(TFont* font, const std::string& text)
{
    TMeasuringDC measuring;
    if (measuring.Get() == nullptr)
        return 0;
    HGDIOBJ previous = SelectObject(measuring.Get(), font->Handle());
    SIZE size{};
    GetTextExtentPoint32A(measuring.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(measuring.Get(), previous);
    return size.cx;
}

void BarTextRow::Fit(const std::vector<std::string>& texts) const
{
    if (name == nullptr || biosValue == nullptr || value == nullptr || unit == nullptr)
        return;
    int end = PlaceBefore(unit, unit->Width(), rightEnd);
    end = PlaceBefore(value, WidestText(value->Font(), texts), end);
    end = PlaceBefore(biosValue, WidestText(biosValue->Font(), texts), end);
    if (name->Left() + name->Width() > end)
        name->SetWidth(std::max(0, end - name->Left()));
}
