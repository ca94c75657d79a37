#pragma once
// A label whose caption can carry a soft drop shadow, drawn through a
// shaded text layout that the label owns.

#include "platform/vcl/Label.h"
#include "vessa/widget/layout/Source/TextLayout.h"

class KyLabel : public TCustomLabel {
public:
    explicit KyLabel(TComponent* owner);
    ~KyLabel() override;

    bool Shaded() const { return m_layout->Shaded(); }
    void SetShaded(bool shaded);
    BYTE ShadeAlphaValue() const { return m_layout->ShadeAlpha(); }
    // Takes effect at the next paint.
    void SetShadeAlphaValue(BYTE alpha) { m_layout->SetShadeAlpha(alpha); }
    // DrawText flags added to every draw of the caption.
    int TextFormat() const { return m_textFormat; }
    void SetTextFormat(int format);

protected:
    void DoDrawText(RECT& rect, int flags) override;
    // With the shadow, the size holds the inset caption and its shadow.
    void AdjustSize() override;

private:
    bool DrawsShadow() const { return Shaded() && Enabled(); }
    // The label's own flags for a shaded draw: layout, wrapping, prefix and
    // reading order.
    int ShadedFlags(int flags) const;

    vessa::TShadedTextLayout* m_layout;
    int m_textFormat = 0;
};
