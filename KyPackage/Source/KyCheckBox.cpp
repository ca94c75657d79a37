#include "KyPackage/Source/KyCheckBox.h"

#include "KyPackage/Source/KyPalette.h"

namespace {

constexpr int kCheckedBase = KyCustomControl::kImagesPerGroup;
constexpr int kGrayedBase = 2 * KyCustomControl::kImagesPerGroup;

}  // namespace

KyCheckBox::KyCheckBox(TComponent* owner) : KyCustomControl(owner, false, kStateCount), m_appearance(this)
{
    SetControlStyle(ControlStyle() & ~csDoubleClicks);
    m_savedBaseChange = TakeOverBitmapChanges(TNotifyEvent(this, &KyCheckBox::CheckBoxBitmapChanged));
}

bool KyCheckBox::LoadUnchecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                               const std::string& focused, const std::string& disabled)
{
    return m_appearance.Uncheck()->LoadBitmaps(folder, raised, sunken, focused, disabled);
}

bool KyCheckBox::LoadChecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                             const std::string& focused, const std::string& disabled)
{
    return m_appearance.Check()->LoadBitmaps(folder, raised, sunken, focused, disabled);
}

bool KyCheckBox::LoadGrayed(const std::string& folder, const std::string& raised, const std::string& sunken,
                            const std::string& focused, const std::string& disabled)
{
    return m_appearance.Gray()->LoadBitmaps(folder, raised, sunken, focused, disabled);
}

void KyCheckBox::SetState(TCheckBoxState state)
{
    m_state = state;
    ShowChkboxBmp(GetCurrentIndex() % kImagesPerGroup);
}

void KyCheckBox::ShowChkboxBmp(int visual)
{
    int base = m_state == cbChecked ? kCheckedBase : m_state == cbGrayed ? kGrayedBase : 0;
    ShowBitmap(base + visual);
}

void KyCheckBox::Click()
{
    TCheckBoxState next = cbChecked;
    if (m_state == cbUnchecked)
        next = m_allowGrayed ? cbGrayed : cbChecked;
    else if (m_state == cbChecked)
        next = cbUnchecked;
    SetState(next);
    KyCustomControl::Click();
}

void KyCheckBox::KeyPress(char& key)
{
    KyCustomControl::KeyPress(key);
    if (key == ' ')
        Click();
}

void KyCheckBox::CheckBoxBitmapChanged(TObject* bitmap)
{
    ReshowIfStandInChanged(bitmap);
    m_savedBaseChange(bitmap);
}

COLORREF KyCheckBoxTx::GetFontColorOfCurState()
{
    int visual = GetCurrentIndex() % kImagesPerGroup;
    TColor font = Font()->Color();
    TColor color = font;
    switch (State()) {
    case cbUnchecked:
        color = GetFontColorFromThreeState(m_fontColors->Uncheck(), visual, font);
        break;
    case cbChecked:
        color = GetFontColorFromFourState(m_fontColors->Check(), visual, font);
        break;
    case cbGrayed:
        color = GetFontColorFromFourState(m_fontColors->Gray(), visual, font);
        break;
    }
    return ColorToRGB(color == kNoFontColor ? font : color);
}

void RegisterKyCheckBoxes()
{
    RegisterComponents(kKyPalettePage, {"KyCheckBox"});
    RegisterComponents(kKyPalettePageTx, {"KyCheckBoxTx"});
}
