#include "KyPackage/Source/KyRadioButton.h"

#include "KyPackage/Source/KyPalette.h"

KyRadioButton::KyRadioButton(TComponent* owner) : KyCustomControl(owner, false, kStateCount), m_appearance(this)
{
    SetControlStyle(ControlStyle() | csDoubleClicks);
    m_savedBaseChange = TakeOverBitmapChanges(TNotifyEvent(this, &KyRadioButton::RadioBitmapChanged));
}

bool KyRadioButton::LoadUnchecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                                  const std::string& focused, const std::string& disabled)
{
    return m_appearance.Uncheck()->LoadBitmaps(folder, raised, sunken, focused, disabled);
}

bool KyRadioButton::LoadChecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                                const std::string& focused, const std::string& disabled)
{
    return m_appearance.Check()->LoadBitmaps(folder, raised, sunken, focused, disabled);
}

void KyRadioButton::SetChecked(bool checked)
{
    if (checked)
        ExcludeOther();
    m_checked = checked;
    ShowRadioBtnBmp(GetCurrentIndex() % kImagesPerGroup);
}

void KyRadioButton::ShowRadioBtnBmp(int visual)
{
    ShowBitmap((m_checked ? kImagesPerGroup : 0) + visual);
}

void KyRadioButton::Click()
{
    SetChecked(true);
    KyCustomControl::Click();
}

void KyRadioButton::DblClick()
{
    SetChecked(true);
    KyCustomControl::DblClick();
}

void KyRadioButton::KeyPress(char& key)
{
    KyCustomControl::KeyPress(key);
    if (key == ' ')
        Click();
}

bool KyRadioButton::IsExclusiveType(TControl* control)
{
    return control->ClassName() == "KyRadioButton";
}

void KyRadioButton::ExcludeOther()
{
    TWinControl* parent = Parent();
    if (!parent)
        return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (control == this || !IsExclusiveType(control))
            continue;
        // Only radio buttons carry the class names compared above.
        if (auto* sibling = dynamic_cast<KyControl*>(control))
            sibling->SetChecked(false);
    }
}

void KyRadioButton::RadioBitmapChanged(TObject* bitmap)
{
    ReshowIfStandInChanged(bitmap);
    m_savedBaseChange(bitmap);
}

bool KyRadioButtonTx::IsExclusiveType(TControl* control)
{
    return control->ClassName() == "KyRadioButtonTx";
}

COLORREF KyRadioButtonTx::GetFontColorOfCurState()
{
    int visual = GetCurrentIndex() % kImagesPerGroup;
    TColor font = Font()->Color();
    TColor color = GetChecked() ? GetFontColorFromFourState(m_fontColors->Check(), visual, font)
                                : GetFontColorFromThreeState(m_fontColors->Uncheck(), visual, font);
    return ColorToRGB(color == kNoFontColor ? font : color);
}

void RegisterKyRadioButtons()
{
    RegisterComponents(kKyPalettePage, {"KyRadioButton"});
    RegisterComponents(kKyPalettePageTx, {"KyRadioButtonTx"});
}
