#pragma once
// The on/off choice of the core-unlock feature: the caption "Kavrin:", a
// box and two radio buttons, on and off. It starts off; the page that owns
// it forwards every change.

#include "KyPackage/Source/KyRadioButton.h"
#include "platform/vcl/Label.h"

class KyImage;

constexpr char kOnOffCaption[] = "Kavrin:";

class AdvOnOffBar {
public:
    AdvOnOffBar() = default;
    AdvOnOffBar(const AdvOnOffBar&) = delete;
    AdvOnOffBar& operator=(const AdvOnOffBar&) = delete;

    // Creates the box, the caption and both buttons on `owner` (the main
    // form) with (left, top) the caption's corner; the off button checked.
    void Build(TWinControl* owner, int left, int top);

    void SetVisible(bool visible);
    bool IsVisible() const { return m_visible; }
    // Checks the on or the off button, then the change callback.
    void SetState(bool on);
    bool IsOn() const;

    // Called with a null argument after SetState and after every click on
    // either button, the checked one included.
    void SetOnChange(const TNotifyEvent& onChange) { m_onChange = onChange; }

    KyImage* Box() const { return m_box; }
    TLabel* CaptionLabel() const { return m_captionLabel; }
    KyRadioButton* OnButton() const { return m_onButton; }
    KyRadioButton* OffButton() const { return m_offButton; }

private:
    void ButtonClick(TObject* sender);

    bool m_visible = false;
    KyImage* m_box = nullptr;
    TLabel* m_captionLabel = nullptr;
    KyRadioButton* m_onButton = nullptr;
    KyRadioButton* m_offButton = nullptr;
    TNotifyEvent m_onChange;
};
