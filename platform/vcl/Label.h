#pragma once
// A windowless text label. With AutoSize (the default) the size follows the
// caption and font at once; DoDrawText is the one place the text is drawn,
// so derived labels can draw it their own way.

#include "platform/vcl/GraphicControl.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return m_layout; }
    // Where a text too wide for the label is cut; AutoSize labels never are.
    TEllipsisPosition EllipsisPosition() const { return m_ellipsisPosition; }
    void SetEllipsisPosition(TEllipsisPosition position);
    void SetLayout(TTextLayout layout);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool show);

protected:
    // Draws (or with DT_CALCRECT measures) the caption into `rect`.
    virtual void DoDrawText(RECT& rect, int flags);
    void Paint() override;
    void AdjustSize() override;
    void TextChanged() override;
    int TextFlags() const;

private:
    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    TEllipsisPosition m_ellipsisPosition = epNone;
    bool m_wordWrap = false;
    bool m_transparent = false;
    bool m_showAccelChar = true;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};
