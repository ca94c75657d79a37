#pragma once
// The skinned check box: unchecked, checked and grayed, each with its own
// raised, sunken, focused and disabled image (images 0-3, 4-7, 8-11). An
// empty image falls back to its group's raised image, and an empty raised
// image of the checked or grayed group to image 0. KyCheckBoxTx adds a
// caption coloured by check state and visual state.

#include <string>

#include "KyPackage/Source/KyAppearance.h"
#include "KyPackage/Source/KyCustomControl.h"
#include "KyPackage/Source/KyFontColor.h"
#include "KyPackage/Source/KyTextControl.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class KyCheckBox : public KyCustomControl {
public:
    static constexpr int kStateCount = 12;

    explicit KyCheckBox(TComponent* owner);

    bool LoadUnchecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                       const std::string& focused, const std::string& disabled);
    bool LoadChecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                     const std::string& focused, const std::string& disabled);
    bool LoadGrayed(const std::string& folder, const std::string& raised, const std::string& sunken,
                    const std::string& focused, const std::string& disabled);
    KyChkBoxAppearance* Appearance() { return &m_appearance; }
    void SetAppearance(KyChkBoxAppearance* appearance) { m_appearance.Assign(appearance); }

    TCheckBoxState State() const { return m_state; }
    // Keeps the visual state, in the new group; fires no OnClick.
    void SetState(TCheckBoxState state);
    // A grayed box reads as not checked.
    bool GetChecked() override { return m_state == cbChecked; }
    void SetChecked(bool checked) override { SetState(checked ? cbChecked : cbUnchecked); }
    bool Checked() { return GetChecked(); }
    bool AllowGrayed() const { return m_allowGrayed; }
    void SetAllowGrayed(bool allow) { m_allowGrayed = allow; }

    // Moves to the next check state, then OnClick.
    void Click() override;

protected:
    void ShowChkboxBmp(int visual);
    void ShowRaised() override { ShowChkboxBmp(0); }
    void ShowSunken() override { ShowChkboxBmp(1); }
    void ShowFocused() override { ShowChkboxBmp(2); }
    void ShowDisabled() override { ShowChkboxBmp(3); }
    int Substitute(int index) override { return GroupSubstitute(index); }
    void KeyPress(char& key) override;

private:
    void CheckBoxBitmapChanged(TObject* bitmap);

    TCheckBoxState m_state = cbUnchecked;
    bool m_allowGrayed = false;
    KyChkBoxAppearance m_appearance;
    TNotifyEvent m_savedBaseChange;
};

class KyCheckBoxTx : public KyTextControl<KyCheckBox, KyCheckBoxFontColor> {
public:
    explicit KyCheckBoxTx(TComponent* owner) : KyTextControl(owner) {}

    KyCheckBoxFontColor* FontColors() { return m_fontColors; }
    void Repaint() override { DoRepaint(); }

protected:
    // An immediate repaint of the window.
    void FinishRepaint() override { TWinControl::Repaint(); }
    COLORREF GetFontColorOfCurState() override;
};

// Registers KyCheckBox on "KyComponents" and KyCheckBoxTx on "KyComponentsTx".
void RegisterKyCheckBoxes();
