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
    // Where each state's colour is kept; a set uses the slots it names.
    enum Slot { kRaisedSlot, kSunkenSlot, kFocusedSlot, kDisabledSlot, kSlotCount };
    TColor Get(Slot slot) const { return m_colors[slot]; }
    // Stores `value`; a real change fires OnChange.
    void Store(Slot slot, TColor value);
    // Copies every colour at once; the target fires OnChange once.
    void CopyTo(KyCtrlFontColor* target) const;

private:
    TColor m_colors[kSlotCount] = {kNoFontColor, kNoFontColor, kNoFontColor, kNoFontColor};
    TNotifyEvent m_onChange;
};

class KyThreeStateFontColor : public KyCtrlFontColor {
public:
    TColor Sunken() const { return Get(kSunkenSlot); }
    TColor Focused() const { return Get(kFocusedSlot); }
    TColor Disabled() const { return Get(kDisabledSlot); }
    void SetSunken(TColor color) { Store(kSunkenSlot, color); }
    void SetFocused(TColor color) { Store(kFocusedSlot, color); }
    void SetDisabled(TColor color) { Store(kDisabledSlot, color); }

protected:
    void AssignTo(TPersistent* destination) override { CopyTo(As<KyThreeStateFontColor>(destination)); }
};

class KyFourStateFontColor : public KyCtrlFontColor {
public:
    TColor Raised() const { return Get(kRaisedSlot); }
    TColor Sunken() const { return Get(kSunkenSlot); }
    TColor Focused() const { return Get(kFocusedSlot); }
    TColor Disabled() const { return Get(kDisabledSlot); }
    void SetRaised(TColor color) { Store(kRaisedSlot, color); }
    void SetSunken(TColor color) { Store(kSunkenSlot, color); }
    void SetFocused(TColor color) { Store(kFocusedSlot, color); }
    void SetDisabled(TColor color) { Store(kDisabledSlot, color); }

protected:
    void AssignTo(TPersistent* destination) override { CopyTo(As<KyFourStateFontColor>(destination)); }
};

// Focused and disabled colours only (the profile library's bricks).
class KyTwoStateFontColor : public KyCtrlFontColor {
public:
    TColor Focused() const { return Get(kFocusedSlot); }
    TColor Disabled() const { return Get(kDisabledSlot); }
    void SetFocused(TColor color) { Store(kFocusedSlot, color); }
    void SetDisabled(TColor color) { Store(kDisabledSlot, color); }

protected:
    void AssignTo(TPersistent* destination) override { CopyTo(As<KyTwoStateFontColor>(destination)); }
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
