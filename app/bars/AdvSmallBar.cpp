#include "app/bars/AdvSmallBar.h"

#include <algorithm>

#include "KyPackage/Source/KyImage.h"
#include "KyPackage/Source/KyLabel.h"

namespace {

constexpr char kDot[] = "small_dot_n.png";
constexpr char kDotHover[] = "small_dot_o.png";
constexpr char kRightNormal[] = "right_n.png";
constexpr char kRightPressed[] = "right_d.png";
constexpr char kRightOver[] = "right_o.png";
constexpr char kLeftNormal[] = "left_n.png";
constexpr char kLeftPressed[] = "left_d.png";
constexpr char kLeftOver[] = "left_o.png";

constexpr COLORREF kBiosValueColor = RGB(255, 255, 255);
constexpr COLORREF kValueColor = RGB(40, 254, 216);
constexpr int kLabelWidth = 30;
constexpr int kLabelHeight = 22;
constexpr int kNameHeight = 20;
// Places relative to the track: buttons and dot, and the texts' row.
constexpr int kRightButtonInset = 3;
constexpr int kLeftButtonLeft = -18;
constexpr int kDotTop = 2;
constexpr int kTextTop = 2;

constexpr AdvSmallBar::Look kSmallLook{RGB(40, 255, 217), false, -187, 77, -106, -70, -35, nullptr, nullptr};

RECT At(int left, int top, int width, int height)
{
    return RECT{left, top, left + width, top + height};
}

}  // namespace

AdvSmallBar::AdvSmallBar(int itemSlot) : AdvSmallBar(itemSlot, kSmallLook) {}

AdvSmallBar::AdvSmallBar(int itemSlot, const Look& look) : AdvScrollBar(itemSlot), m_look(look) {}

const char* AdvSmallBar::GetSliderImageName() const
{
    return "small_slider01.png";
}

int AdvSmallBar::GetTrackLength() const
{
    return m_track != nullptr ? m_track->Width() - kTrackMargin : 0;
}

void AdvSmallBar::Build(BarHost& host, int left, int top)
{
    TWinControl* owner = host.Window();
    CreateTrack(owner, left, top, GetSliderImageName());
    m_sliderImage = LoadSkinBitmap(GetSliderImageName());
    const int width = m_track->Width();
    const char* right[4] = {kRightNormal, kRightPressed, kRightOver, m_look.rightDisabled};
    const char* leftNames[4] = {kLeftNormal, kLeftPressed, kLeftOver, m_look.leftDisabled};
    m_rightButton = CreateStepButton(left + width - kRightButtonInset, top, right);
    m_leftButton = CreateStepButton(left + kLeftButtonLeft, top, leftNames);
    CreateDot(host, left, top + kDotTop, kDot, kDotHover);

    m_nameLabel = new KyLabel(owner);
    DressLabel(m_nameLabel, owner, At(left + m_look.nameLeft, top, m_look.nameWidth, kNameHeight), m_look.nameColor,
               taRightJustify, "vCore Volt :");
    m_nameLabel->SetTextFormat(DT_END_ELLIPSIS);
    if (m_look.nameBold)
        m_nameLabel->Font()->SetStyle(fsBold);
    const int textTop = top + kTextTop;
    m_biosValueLabel = CreateLabel(owner, At(left + m_look.biosValueLeft, textTop, kLabelWidth, kLabelHeight),
                                   kBiosValueColor, taRightJustify, "");
    m_valueLabel = CreateLabel(owner, At(left + m_look.valueLeft, textTop, kLabelWidth, kLabelHeight), kValueColor,
                               taRightJustify, "200");
    m_unitLabel = CreateLabel(owner, At(left + m_look.unitLeft, textTop, kLabelWidth, kLabelHeight), kValueColor,
                              taLeftJustify, "v");
    WireChildren();

    BindItem();
    SetNameText(GetNameText() + NameSuffix());
    FitLabels();
}

bool AdvSmallBar::PaintSlider(TBitmap* slider, COLORREF fill)
{
    if (m_track == nullptr || slider == nullptr || slider->Width() <= 0)
        return false;
    TBitmap& picture = *TrackSpare();
    picture.AssignAs(slider, pf32bit);
    const int w = m_dot != nullptr ? m_dot->Left() - GetLeft() : 0;
    // Columns kFillStart .. w + 2, never past the picture.
    const int last = std::min(w + 2, picture.Width() - 1);
    bool filled = false;
    if (w > 0 && kFillRow < picture.Height()) {
        auto* row = static_cast<BYTE*>(picture.ScanLine(kFillRow));
        for (int x = kFillStart; x <= last; ++x) {
            BYTE* pixel = row + x * 4;
            pixel[0] = GetBValue(fill);
            pixel[1] = GetGValue(fill);
            pixel[2] = GetRValue(fill);
            pixel[3] = 255;
            filled = true;
        }
    }
    ShowTrackPicture();
    return filled;
}

void AdvSmallBar::PaintTrack()
{
    PaintSlider(m_sliderImage.get(), kFillColor);
}
