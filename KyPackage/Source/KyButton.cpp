#include "KyPackage/Source/KyButton.h"

#include "KyPackage/Source/KyPalette.h"
#include "platform/vcl/Form.h"

KyButton::KyButton(TComponent* owner) : KyCustomControl(owner, false, kStateCount), m_appearance(this, 0)
{
    SetControlStyle(ControlStyle() & ~csDoubleClicks);
}

bool KyButton::LoadBitmapA(const std::string& folder, const std::string& raised, const std::string& sunken,
                           const std::string& focused, const std::string& disabled)
{
    return m_appearance.LoadBitmaps(folder, raised, sunken, focused, disabled);
}

void KyButton::Click()
{
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(m_modalResult);
    KyCustomControl::Click();
}

void KyButton::KeyPress(char& key)
{
    KyCustomControl::KeyPress(key);
    if (key == ' ')
        Click();
}

void KyButtonTx::Repaint()
{
    DoRepaint();
    TWinControl::Repaint();
}

COLORREF KyButtonTx::GetFontColorOfCurState()
{
    int index = GetCurrentIndex();
    TColor color =
        index < kStateCount ? GetFontColorFromThreeState(m_fontColors, index, Font()->Color()) : Font()->Color();
    return ColorToRGB(color == kNoFontColor ? Font()->Color() : color);
}

void RegisterKyButtons()
{
    RegisterComponents(kKyPalettePage, {"KyButton"});
    RegisterComponents(kKyPalettePageTx, {"KyButtonTx"});
}
