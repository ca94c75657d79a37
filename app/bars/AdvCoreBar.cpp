#include "app/bars/AdvCoreBar.h"

#include "app/controls/BoxLabel.h"
#include "app/controls/ControlFactory.h"
#include "app/skin/SkinFiles.h"
#include "tuning/KyOcRatio.h"

namespace {

// Places relative to the caption's corner (left, top).
constexpr int kLeftButtonX = 71;
constexpr int kBoxX = 92;
constexpr int kRightButtonX = 227;
constexpr int kCaptionWidth = 67;

constexpr const char* kLeftButtonSkins[4] = {"big_left_n.png", "big_left_d.png", "big_left_o.png", nullptr};
constexpr const char* kRightButtonSkins[4] = {"big_right_n.png", "big_right_d.png", "big_right_o.png", nullptr};
constexpr char kBoxSkin[] = "core_box_n.png";

const TColor kCaptionColor = static_cast<TColor>(RGB(104, 221, 255));
const TColor kCountColor = static_cast<TColor>(RGB(40, 254, 216));
const TColor kDisabledColor = static_cast<TColor>(RGB(128, 128, 128));

void GreyWhenDisabled(AlphaButton* button, const char* normal, int x, int y)
{
    TBitmap greyed;
    if (LoadGreyedSkinOverCore(normal, &greyed, x, y))
        button->Appearance()->SetDisabledBmp(&greyed);
}

}  // namespace

void AdvCoreBar::Build(TWinControl* owner, int left, int top)
{
    // The buttons are blended for the place where they stand.
    CreateCoreAlphaButton(m_rightButton, left + kRightButtonX, top, kRightButtonSkins, nullptr, nullptr, false);
    CreateCoreAlphaButton(m_leftButton, left + kLeftButtonX, top, kLeftButtonSkins, nullptr, nullptr, false);
    m_rightButton->OnClick = TNotifyEvent(this, &AdvCoreBar::StepClick);
    m_leftButton->OnClick = TNotifyEvent(this, &AdvCoreBar::StepClick);
    // The arrows come without an unavailable picture; a disabled box must
    // not show them as live.
    GreyWhenDisabled(m_rightButton, kRightButtonSkins[0], left + kRightButtonX, top);
    GreyWhenDisabled(m_leftButton, kLeftButtonSkins[0], left + kLeftButtonX, top);

    m_box = CreateKyImage(owner, left + kBoxX, top, kBoxSkin);
    const int boxHeight = m_box->Height();
    m_captionLabel = CreateBoxLabel(owner, BoxLabelStyle{13, kCaptionColor, taRightJustify},
                                    RECT{left, top, left + kCaptionWidth, top + boxHeight});
    m_countLabel = CreateBoxLabel(owner, BoxLabelStyle{12, kCountColor, taCenter}, m_box->BoundsRect());
    m_countLabel->SetVisible(true);
    m_countLabel->BringToFront();
}

std::string AdvCoreBar::CountText(int value)
{
    const int count = value + 1;
    if (count <= 0)
        return std::string();
    return std::to_string(count) + (count > 1 ? " cores" : " core");
}

void AdvCoreBar::SetValue(int value)
{
    m_value = value;
    if (m_countLabel != nullptr)
        m_countLabel->SetText(CountText(value));
    m_onChange(nullptr);
}

void AdvCoreBar::SetCaption(const std::string& caption)
{
    if (m_captionLabel != nullptr)
        m_captionLabel->SetText(caption);
}

std::string AdvCoreBar::GetCaption() const
{
    return m_captionLabel != nullptr ? m_captionLabel->Text() : std::string();
}

std::string AdvCoreBar::GetCountText() const
{
    return m_countLabel != nullptr ? m_countLabel->Text() : std::string();
}

void AdvCoreBar::StepClick(TObject* sender)
{
    const int cores = static_cast<int>(KyOcRatio::GetInstance().GetCoreCount());
    if (cores <= 0)
        return;  // no ratio item: there is nothing to count
    int next = m_value;
    if (sender == m_rightButton)
        next = (m_value + 1) % cores;
    else
        next = m_value - 1 < 0 ? cores - 1 : m_value - 1;
    SetValue(next);
}

void AdvCoreBar::SetVisible(bool visible)
{
    for (TControl* control :
         {static_cast<TControl*>(m_box), static_cast<TControl*>(m_captionLabel), static_cast<TControl*>(m_countLabel),
          static_cast<TControl*>(m_leftButton), static_cast<TControl*>(m_rightButton)})
        if (control != nullptr)
            control->SetVisible(visible);
}

void AdvCoreBar::SetEnabled(bool enabled)
{
    if (m_leftButton == nullptr)
        return;
    m_leftButton->SetEnabled(enabled);
    m_rightButton->SetEnabled(enabled);
    m_captionLabel->Font()->SetColor(enabled ? kCaptionColor : kDisabledColor);
    m_countLabel->Font()->SetColor(enabled ? kCountColor : kDisabledColor);
}
