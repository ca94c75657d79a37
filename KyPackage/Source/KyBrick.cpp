#include "KyPackage/Source/KyBrick.h"

#include "KyPackage/Source/KyPalette.h"

KyBrick::KyBrick(TComponent* owner) : KyCustomControl(owner, true, kStateCount), m_appearance(this, 0)
{
    SetControlStyle(ControlStyle() | csDoubleClicks);
}

bool KyBrick::LoadBitmapA(const std::string& folder, const std::string& normal, const std::string& focused,
                          const std::string& disabled)
{
    return m_appearance.LoadBitmaps(folder, normal, focused, disabled);
}

COLORREF KyBrickTx::GetFontColorOfCurState()
{
    TColor font = Font()->Color();
    TColor color = font;
    switch (GetCurrentIndex()) {
    case 1:
        color = m_fontColors->Focused();
        break;
    case 2:
        color = m_fontColors->Disabled() == kNoFontColor ? clGrayText : m_fontColors->Disabled();
        break;
    default:
        break;
    }
    return ColorToRGB(color == kNoFontColor ? font : color);
}

void RegisterKyBricks()
{
    RegisterComponents(kKyPalettePage, {"KyBrick"});
    RegisterComponents(kKyPalettePageTx, {"KyBrickTx"});
}
