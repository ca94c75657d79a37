#include "app/pages/AdvGroup.h"

#include "KyPackage/Source/KyImage.h"
#include "KyPackage/Source/KyLabel.h"
#include "app/bars/AdvSmallBar.h"
#include "app/bars/AdvSmallBarType2.h"
#include "app/controls/ControlFactory.h"
#include "app/pages/ZendrixLayout.h"

namespace {

constexpr char kCaptionFont[] = "Arial";
constexpr int kCaptionFontHeight = -11;
constexpr TColor kCaptionColor = RGB(190, 255, 27);
constexpr int kCaptionWidth = 250;
constexpr int kCaptionHeight = 30;
constexpr int kNarrowFontHeight = -11;

}  // namespace

AdvGroup::AdvGroup(const char* icon, const std::string& caption, int x, int y, int layoutType)
    : m_layoutType(layoutType)
{
    TWinControl* window = ZendrixLayout::GetInstance().Host().Window();
    m_titleImage = CreateKyImage(window, x, y, icon);
    m_titleImage->SetVisible(false);

    m_caption = new KyLabel(window);
    m_caption->SetParent(window);
    TFont* font = m_caption->Font();
    font->SetName(kCaptionFont);
    font->SetHeight(kCaptionFontHeight);
    font->SetStyle(font->Style() | fsBold);
    font->SetColor(kCaptionColor);
    m_caption->SetLayout(tlTop);
    m_caption->SetTransparent(true);
    m_caption->SetAutoSize(false);
    m_caption->SetBounds(x + 32, y + 2, kCaptionWidth, kCaptionHeight);
    m_caption->SetVisible(false);
    m_caption->SetText(caption);
}

AdvGroup::Place AdvGroup::BarPlace(int layoutType, int x, int y, int n)
{
    switch (layoutType) {
    case kWideRows:
    case kWideRowsPlain:
        return Place{x + 172 + (n % 2) * 298, y + 38 + (n / 2) * 45};
    case kOneColumn:
        return Place{x + 300, y + 30 + n * 31};
    default:
        return Place{x + 172 + (n % 2) * 298, y + 30 + (n / 2) * 31};
    }
}

void AdvGroup::AddBar(int position)
{
    AdvScrollBar* bar = nullptr;
    if (m_layoutType == kOneColumn)
        bar = new AdvSmallBarType2(position);
    else
        bar = new AdvSmallBar(position);
    const Place place =
        BarPlace(m_layoutType, m_titleImage->Left(), m_titleImage->Top(), static_cast<int>(m_bars.size()));
    bar->Build(ZendrixLayout::GetInstance().Host(), place.left, place.top);
    bar->SetVisible(false);
    m_bars.push_back(bar);
    ZendrixLayout::GetInstance().AddBar(bar, bar->GetItemId());
    NarrowLabels(bar);
}

void AdvGroup::NarrowLabels(AdvScrollBar* bar) const
{
    const int left = bar->GetLeft();
    switch (m_layoutType) {
    case kNarrowLabels:
        bar->NameLabel()->SetWidth(77);
        bar->NameLabel()->SetAlignment(taRightJustify);
        bar->NameLabel()->Font()->SetHeight(kNarrowFontHeight);
        bar->NameLabel()->SetLeft(left - 200);
        bar->BiosValueLabel()->SetAlignment(taLeftJustify);
        bar->BiosValueLabel()->Font()->SetHeight(kNarrowFontHeight);
        bar->BiosValueLabel()->SetLeft(bar->BiosValueLabel()->Left() - 3);
        bar->UnitLabel()->Font()->SetHeight(kNarrowFontHeight);
        bar->UnitLabel()->SetLeft(left - 35);
        break;
    case kWideRows:
        bar->NameLabel()->Font()->SetHeight(kNarrowFontHeight);
        bar->NameLabel()->SetLeft(left - 180);
        break;
    case kOneColumn:
        bar->NameLabel()->SetWidth(105);
        bar->NameLabel()->SetLeft(left - 305);
        bar->BiosValueLabel()->SetLeft(left - 150);
        bar->ValueLabel()->SetLeft(left - 68);
        break;
    default:
        break;
    }
}

void AdvGroup::SetVisible(bool visible)
{
    for (AdvScrollBar* bar : m_bars) {
        bar->SetVisible(visible);
        bar->ReblendButtons();
    }
    m_titleImage->SetVisible(visible);
    m_caption->SetVisible(visible);
}
