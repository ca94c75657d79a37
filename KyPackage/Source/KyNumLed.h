#pragma once
// A numeric read-out drawn as segment LEDs: a number, a time of day or a
// date, laid out by a format string such as "8888" or "hh^mm". The work is
// done by the implementation object; the control forwards to it.

#include <memory>
#include <string>

#include "KyPackage/Source/KyNumLedTypes.h"
#include "platform/vcl/Control.h"
#include "platform/vcl/DateTime.h"

namespace vessa {
class KyNumLed_imp;
}

class KyNumLed;

// The four colours of a numeric LED, read from and written to its control.
class KyLedColors : public TPersistent {
public:
    explicit KyLedColors(KyNumLed* owner) : m_owner(owner) {}

    TColor LightColor() const;
    void SetLightColor(TColor color);
    TColor DarkColor() const;
    void SetDarkColor(TColor color);
    TColor BackgroundColor() const;
    void SetBackgroundColor(TColor color);
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

protected:
    // Copies all four colours into another KyLedColors (any other class
    // raises EInvalidCast).
    void AssignTo(TPersistent* destination) override;

private:
    KyNumLed* m_owner;
};

class KyNumLed : public TControl {
public:
    explicit KyNumLed(TComponent* owner);
    ~KyNumLed() override;

    void SetType(KyNumLedType type);
    KyNumLedType GetType() const;
    void SetStyle(KyNumLedStyle style);
    KyNumLedStyle GetStyle() const;
    void SetZeroLeading(bool zeroLeading);
    bool GetZeroLeading() const;
    // A format the implementation refuses leaves the old one.
    void SetFormat(const std::string& format);
    std::string GetFormat() const;
    void SetTransparent(bool transparent);
    bool GetTransparent() const;
    // Takes effect at once: the control is sized again by the new rule.
    void SetKeepRatio(bool keepRatio);
    bool GetKeepRatio() const;

    KyLedColors* LedColors() const { return m_ledColors.get(); }
    void SetLedColors(KyLedColors* colors);

    void SetValue(const double& value);
    void SetValue(const TDateTime& value);
    bool GetValue(double& value) const;
    bool GetValue(TDateTime& value) const;

    // Position 0 means every LED, n the n-th LED counted from 1.
    void On(unsigned position);
    void Off(unsigned position);

    void Repaint() override;
    // The display takes the new place first; with KeepRatio its size may
    // come out smaller, and the control takes the display's size.
    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TWinControl* parent) override;

    vessa::KyNumLed_imp* Implementation() const { return m_imp.get(); }

private:
    std::unique_ptr<vessa::KyNumLed_imp> m_imp;
    std::unique_ptr<KyLedColors> m_ledColors;
};

namespace Kynumled {
// Puts KyNumLed on the component palette page "KyComponents".
void Register();
}  // namespace Kynumled
