#pragma once
// Caption colours per visual state (0 raised, 1 sunken, 2 focused,
// 3 disabled) for the text controls. kNoFontColor (-1) means "not set": the
// pick rules below fall back to a neighbouring colour or the font's colour.

#include "platform/vcl/Classes.h"
#include "platform/vcl/Colors.h"

constexpr TColor kNoFontColor = -1;

class KyCtrlFontColor : public TPersistent {
public:
    TNotifyEvent GetOnChange() const { return m_onChange; }
    void SetOnChange(const TNotifyEvent& handler) { m_onChange = handler; }

protected:
    // Stores `value`; a real change fires OnChange.
    void Store(TColor& field, TColor value);
    void Changed() { m_onChange(this); }

private:
    TNotifyEvent m_onChange;
};

class KyThreeStateFontColor : public KyCtrlFontColor {
public:
    TColor Sunken() const { return m_sunken; }
    TColor Focused() const { return m_focused; }
    TColor Disabled() const { return m_disabled; }
    void SetSunken(TColor color) { Store(m_sunken, color); }
    void SetFocused(TColor color) { Store(m_focused, color); }
    void SetDisabled(TColor color) { Store(m_disabled, color); }

protected:
    void AssignTo(TPersistent* destination) override;

private:
    TColor m_sunken = kNoFontColor;
    TColor m_focused = kNoFontColor;
    TColor m_disabled = kNoFontColor;
};

class KyFourStateFontColor : public KyCtrlFontColor {
public:
    TColor Raised() const { return m_raised; }
    TColor Sunken() const { return m_sunken; }
    TColor Focused() const { return m_focused; }
    TColor Disabled() const { return m_disabled; }
    void SetRaised(TColor color) { Store(m_raised, color); }
    void SetSunken(TColor color) { Store(m_sunken, color); }
    void SetFocused(TColor color) { Store(m_focused, color); }
    void SetDisabled(TColor color) { Store(m_disabled, color); }

protected:
    void AssignTo(TPersistent* destination) override;

private:
    TColor m_raised = kNoFontColor;
    TColor m_sunken = kNoFontColor;
    TColor m_focused = kNoFontColor;
    TColor m_disabled = kNoFontColor;
};

// Focused and disabled colours only (the profile library's bricks).
class KyTwoStateFontColor : public KyCtrlFontColor {
public:
    TColor Focused() const { return m_focused; }
    TColor Disabled() const { return m_disabled; }
    void SetFocused(TColor color) { Store(m_focused, color); }
    void SetDisabled(TColor color) { Store(m_disabled, color); }

protected:
    void AssignTo(TPersistent* destination) override;

private:
    TColor m_focused = kNoFontColor;
    TColor m_disabled = kNoFontColor;
};

// Unchecked (three-state), checked and grayed (four-state) caption colours.
// OnChange reads the unchecked member's handler and writes every member's.
class KyCheckBoxFontColor : public TPersistent {
public:
    KyThreeStateFontColor* Uncheck() { return &m_uncheck; }
    KyFourStateFontColor* Check() { return &m_check; }
    KyFourStateFontColor* Gray() { return &m_gray; }
    void SetUncheck(KyThreeStateFontColor* colors) { m_uncheck.Assign(colors); }
    void SetCheck(KyFourStateFontColor* colors) { m_check.Assign(colors); }
    void SetGray(KyFourStateFontColor* colors) { m_gray.Assign(colors); }
    TNotifyEvent GetOnChange() const { return m_uncheck.GetOnChange(); }
    void SetOnChange(const TNotifyEvent& handler);

protected:
    void AssignTo(TPersistent* destination) override;

private:
    KyFourStateFontColor m_check;
    KyThreeStateFontColor m_uncheck;
    KyFourStateFontColor m_gray;
};

class KyRadioBtnFontColor : public TPersistent {
public:
    KyThreeStateFontColor* Uncheck() { return &m_uncheck; }
    KyFourStateFontColor* Check() { return &m_check; }
    void SetUncheck(KyThreeStateFontColor* colors) { m_uncheck.Assign(colors); }
    void SetCheck(KyFourStateFontColor* colors) { m_check.Assign(colors); }
    TNotifyEvent GetOnChange() const { return m_uncheck.GetOnChange(); }
    void SetOnChange(const TNotifyEvent& handler);

protected:
    void AssignTo(TPersistent* destination) override;

private:
    KyFourStateFontColor m_check;
    KyThreeStateFontColor m_uncheck;
};

// The caption colour of visual state `visual` (not yet through ColorToRGB).
// The three-state set has no raised colour: raised and every unset colour
// but the disabled one take the font's colour.
TColor GetFontColorFromThreeState(const KyThreeStateFontColor* colors, int visual, TColor fontColor);
// Unset sunken and focused colours take the raised colour.
TColor GetFontColorFromFourState(const KyFourStateFontColor* colors, int visual, TColor fontColor);
