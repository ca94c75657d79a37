#pragma once
// The skinned radio button: unchecked and checked, each with raised, sunken,
// focused and disabled images (images 0-3 and 4-7). Checking one unchecks
// the siblings under the same parent whose class name is its own, so plain
// and captioned radio buttons form separate groups. KyRadioButtonTx adds a
// caption with word wrap.

#include <string>

#include "KyPackage/Source/KyAppearance.h"
#include "KyPackage/Source/KyCustomControl.h"
#include "KyPackage/Source/KyFontColor.h"
#include "KyPackage/Source/KyTextControl.h"

class KyRadioButton : public KyCustomControl {
public:
    static constexpr int kStateCount = 8;

    explicit KyRadioButton(TComponent* owner);

    bool LoadUnchecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                       const std::string& focused, const std::string& disabled);
    bool LoadChecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                     const std::string& focused, const std::string& disabled);
    KyRadioBtnAppearance* Appearance() { return &m_appearance; }
    void SetAppearance(KyRadioBtnAppearance* appearance) { m_appearance.Assign(appearance); }

    bool GetChecked() override { return m_checked; }
    // Checking unchecks the exclusive siblings first; no event fires.
    void SetChecked(bool checked) override;
    bool Checked() { return GetChecked(); }

    // Clicks only ever check.
    void Click() override;
    void DblClick() override;

protected:
    void ShowRadioBtnBmp(int visual);
    void ShowRaised() override { ShowRadioBtnBmp(0); }
    void ShowSunken() override { ShowRadioBtnBmp(1); }
    void ShowFocused() override { ShowRadioBtnBmp(2); }
    void ShowDisabled() override { ShowRadioBtnBmp(3); }
    int Substitute(int index) override { return GroupSubstitute(index); }
    void KeyPress(char& key) override;
    // Whether checking this button unchecks `control`.
    virtual bool IsExclusiveType(TControl* control);

private:
    void ExcludeOther();
    void RadioBitmapChanged(TObject* bitmap);

    bool m_checked = false;
    KyRadioBtnAppearance m_appearance;
    TNotifyEvent m_savedBaseChange;
};

class KyRadioButtonTx : public KyTextControl<KyRadioButton, KyRadioBtnFontColor> {
public:
    explicit KyRadioButtonTx(TComponent* owner) : KyTextControl(owner) {}

    KyRadioBtnFontColor* FontColors() { return m_fontColors; }
    void SetWordWrap(bool wrap) { SetWordWrapFlag(wrap); }
    void Repaint() override { DoRepaint(); }

protected:
    bool IsExclusiveType(TControl* control) override;
    // An immediate repaint of the window.
    void FinishRepaint() override { TWinControl::Repaint(); }
    COLORREF GetFontColorOfCurState() override;
};

// Registers KyRadioButton on "KyComponents" and KyRadioButtonTx on "KyComponentsTx".
void RegisterKyRadioButtons();
