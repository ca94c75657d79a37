#include "app/bars/AdvLargeBar.h"

#include <algorithm>
#include <cstring>

#include "KyPackage/Source/KyImage.h"
#include "KyPackage/Source/KyLabel.h"

namespace {

constexpr char kDarkTrack[] = "color_bar_dark01.png";
constexpr char kLightTrack[] = "color_bar_light01.png";
constexpr const char* kRightButton[4] = {"big_right_n.png", "big_right_d.png", "big_right_o.png", nullptr};
constexpr const char* kLeftButton[4] = {"big_left_n.png", "big_left_d.png", "big_left_o.png", nullptr};
constexpr char kDot[] = "dot_n.png";
constexpr char kDotHover[] = "dot_o.png";

constexpr COLORREF kNameColor = RGB(104, 221, 255);
constexpr COLORREF kBiosValueColor = RGB(255, 255, 255);
constexpr COLORREF kValueColor = RGB(40, 254, 216);

// The light picture reaches this far right of the dot's left edge.
constexpr int kLitPastDot = 5;
// Gaps of the value and unit texts, right-aligned before the track.
constexpr int kUnitGap = 26;
constexpr int kValueGap = 4;

RECT At(int left, int top, int width, int height)
{
    return RECT{left, top, left + width, top + height};
}

}  // namespace

AdvLargeBar::AdvLargeBar(int itemSlot) : AdvScrollBar(itemSlot) {}

void AdvLargeBar::Build(BarHost& host, int left, int top)
{
    TWinControl* owner = host.Window();
    CreateTrack(owner, left, top, kDarkTrack);
    m_trackDark = LoadSkinBitmap(kDarkTrack);
    m_trackLight = LoadSkinBitmap(kLightTrack);
    m_rightButton = CreateStepButton(left + 312, top + 1, kRightButton);
    m_leftButton = CreateStepButton(left - 22, top + 1, kLeftButton);
    CreateDot(host, left + kTrackStart, top - 6, kDot, kDotHover);

    m_nameLabel = new KyLabel(owner);
    DressLabel(m_nameLabel, owner, At(left - 277, top - 4, 130, 22), kNameColor, taRightJustify, "CPU Frequency :");
    m_nameLabel->Font()->SetStyle(fsBold);
    // A name longer than the label ends in an ellipsis rather than losing its start.
    m_nameLabel->SetTextFormat(DT_END_ELLIPSIS);
    m_biosValueLabel = CreateLabel(owner, At(left - 133, top - 1, 35, 22), kBiosValueColor, taRightJustify, "200");
    m_valueLabel = CreateLabel(owner, At(left - 100, top - 1, 35, 22), kValueColor, taRightJustify, "200");
    m_unitLabel = CreateLabel(owner, At(left - 63, top - 1, 35, 22), kValueColor, taLeftJustify, "(MHz)");
    WireChildren();

    BindItem();
    SetNameText(GetNameText() + " :");
    m_unitLabel->SetLeft(left - m_unitLabel->Width() - kUnitGap);
    m_valueLabel->SetLeft(m_unitLabel->Left() - m_valueLabel->Width() - kValueGap);
    FitLabels();
}

int AdvLargeBar::LitWidth() const
{
    return m_dot != nullptr ? m_dot->Left() - GetLeft() + kLitPastDot : 0;
}

void AdvLargeBar::PaintTrack()
{
    if (m_track == nullptr || !m_trackDark || m_trackDark->Width() <= 0)
        return;
    TBitmap& picture = *TrackSpare();
    picture.AssignAs(m_trackDark.get(), pf32bit);
    // Never past either picture: a missing or narrower light picture lights
    // only what it has.
    const int columns = std::min({LitWidth(), picture.Width(), m_trackLight ? m_trackLight->Width() : 0});
    const int rows = std::min(picture.Height(), m_trackLight ? m_trackLight->Height() : 0);
    if (columns > 0)
        for (int y = 0; y < rows; ++y)
            std::memcpy(picture.ScanLine(y), m_trackLight->ScanLine(y), static_cast<size_t>(columns) * 4);
    ShowTrackPicture();
}
