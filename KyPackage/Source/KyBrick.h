#pragma once
// The skinned brick: a tile with a normal, a focused (also mouse-over) and a
// disabled image, and no pressed look; its presses are ignored, while
// OnClick and OnDblClick still arrive. It shows a picture in the dialogs and
// is the track of KyBar. KyBrickTx draws a caption over the image.

#include <string>

#include "KyPackage/Source/KyAppearance.h"
#include "KyPackage/Source/KyCustomControl.h"
#include "KyPackage/Source/KyFontColor.h"
#include "KyPackage/Source/KyTextControl.h"

class KyBrick : public KyCustomControl {
public:
    static constexpr int kStateCount = 3;

    explicit KyBrick(TComponent* owner);

    bool LoadBitmapA(const std::string& folder, const std::string& normal, const std::string& focused,
                     const std::string& disabled);
    KyThreeStateAppearance* Appearance() { return &m_appearance; }
    void SetAppearance(KyThreeStateAppearance* appearance) { m_appearance.Assign(appearance); }

protected:
    void ShowFocused() override { ShowBitmap(1); }
    void ShowDisabled() override { ShowBitmap(2); }

private:
    KyThreeStateAppearance m_appearance;
};

class KyBrickTx : public KyTextControl<KyBrick, KyTwoStateFontColor> {
public:
    explicit KyBrickTx(TComponent* owner) : KyTextControl(owner) {}

    KyTwoStateFontColor* FontColors() { return m_fontColors; }
    void Repaint() override { DoRepaint(); }

protected:
    // A brick has no pressed look: its caption is never shifted.
    void ShowSunken() override { KyBrick::ShowSunken(); }
    // An immediate repaint of the window.
    void FinishRepaint() override { TWinControl::Repaint(); }
    COLORREF GetFontColorOfCurState() override;
};

// Registers KyBrick on "KyComponents" and KyBrickTx on "KyComponentsTx".
void RegisterKyBricks();
