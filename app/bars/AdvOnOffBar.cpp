#include "app/bars/AdvOnOffBar.h"

#include "app/controls/BoxLabel.h"
#include "app/controls/ControlFactory.h"

namespace {

// Places relative to the caption's corner (left, top).
constexpr int kBoxX = 131;
constexpr int kOnButtonX = 132;
constexpr int kButtonY = 1;
constexpr int kCaptionWidth = 127;

constexpr char kBoxSkin[] = "Kavrin\\box_bg01.png";
// Unchecked: normal and over; checked: normal only.
constexpr const char* kOnSkins[8] = {
    "Kavrin\\no_n.png", nullptr, "Kavrin\\no_o.png", nullptr, "Kavrin\\no_d.png", nullptr, nullptr, nullptr};
constexpr const char* kOffSkins[8] = {
    "Kavrin\\off_n.png", nullptr, "Kavrin\\off_o.png", nullptr, "Kavrin\\off_d.png", nullptr, nullptr, nullptr};

const TColor kCaptionColor = static_cast<TColor>(RGB(104, 221, 255));

}  // namespace

void AdvOnOffBar::Build(TWinControl* owner, int left, int top)
{
    m_box = CreateKyImage(owner, left + kBoxX, top, kBoxSkin);
    m_captionLabel = CreateBoxLabel(owner, BoxLabelStyle{13, kCaptionColor, taRightJustify},
                                    RECT{left, top, left + kCaptionWidth, top + m_box->Height()});
    m_captionLabel->SetText(kOnOffCaption);

    // Both buttons are blended for the place where they stand.
    CreateCoreRadioButton(m_onButton, left + kOnButtonX, top + kButtonY, kOnSkins, nullptr, false);
    CreateCoreRadioButton(m_offButton, m_onButton->Left() + m_onButton->Width(), top + kButtonY, kOffSkins, nullptr,
                          false);
    m_offButton->SetChecked(true);
    m_onButton->OnClick = TNotifyEvent(this, &AdvOnOffBar::ButtonClick);
    m_offButton->OnClick = TNotifyEvent(this, &AdvOnOffBar::ButtonClick);
}

void AdvOnOffBar::SetVisible(bool visible)
{
    for (TControl* control : {static_cast<TControl*>(m_box), static_cast<TControl*>(m_captionLabel),
                              static_cast<TControl*>(m_onButton), static_cast<TControl*>(m_offButton)})
        if (control != nullptr)
            control->SetVisible(visible);
    m_visible = visible;
}

void AdvOnOffBar::SetState(bool on)
{
    if (m_onButton != nullptr)
        (on ? m_onButton : m_offButton)->SetChecked(true);
    m_onChange(nullptr);
}

bool AdvOnOffBar::IsOn() const
{
    return m_onButton != nullptr && m_onButton->Checked();
}

void AdvOnOffBar::ButtonClick(TObject*)
{
    m_onChange(nullptr);
}
