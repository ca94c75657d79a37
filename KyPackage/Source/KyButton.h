#pragma once
// The skinned push button: raised, sunken, focused (also mouse-over) and
// disabled images; a click sets its form's modal result, and space clicks.
// KyButtonTx draws a caption over the image.

#include <string>

#include "KyPackage/Source/KyAppearance.h"
#include "KyPackage/Source/KyCustomControl.h"
#include "KyPackage/Source/KyFontColor.h"
#include "KyPackage/Source/KyTextControl.h"

class KyButton : public KyCustomControl {
public:
    static constexpr int kStateCount = 4;

    explicit KyButton(TComponent* owner);

    bool LoadBitmapA(const std::string& folder, const std::string& raised, const std::string& sunken,
                     const std::string& focused, const std::string& disabled);
    KyFourStateAppearance* Appearance() { return &m_appearance; }
    void SetAppearance(KyFourStateAppearance* appearance) { m_appearance.Assign(appearance); }
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result) { m_modalResult = result; }

    // Sets the parent form's modal result (0 too), then OnClick.
    void Click() override;

protected:
    void ShowSunken() override { ShowBitmap(1); }
    void ShowFocused() override { ShowBitmap(2); }
    void ShowDisabled() override { ShowBitmap(3); }
    void KeyPress(char& key) override;

private:
    KyFourStateAppearance m_appearance;
    int m_modalResult = 0;
};

class KyButtonTx : public KyTextControl<KyButton, KyThreeStateFontColor> {
public:
    explicit KyButtonTx(TComponent* owner) : KyTextControl(owner) {}

    KyThreeStateFontColor* FontColors() { return m_fontColors; }
    void SetWordWrap(bool wrap) { SetWordWrapFlag(wrap); }
    void Repaint() override;

protected:
    // The button only invalidates: the window paints when the loop is idle.
    void FinishRepaint() override { Invalidate(); }
    COLORREF GetFontColorOfCurState() override;
};

// Registers KyButton on "KyComponents" and KyButtonTx on "KyComponentsTx".
void RegisterKyButtons();
