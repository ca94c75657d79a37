#include "platform/vcl/Label.h"

#include "platform/vcl/GdiGuards.h"

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner)
{
    StoreBounds(0, 0, 65, 17);
    SetControlStyle(ControlStyle() | csOpaque);
    SetParentColor(true);
    SetAutoSize(true);
}

int TCustomLabel::TextFlags() const
{
    static const int alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    static const int ellipses[] = {0, DT_PATH_ELLIPSIS, DT_END_ELLIPSIS, DT_WORD_ELLIPSIS};
    return DT_EXPANDTABS | (m_wordWrap ? DT_WORDBREAK : 0) | alignments[m_alignment] | ellipses[m_ellipsisPosition];
}

void TCustomLabel::DoDrawText(RECT& rect, int flags)
{
    std::string text = Caption();
    if ((flags & DT_CALCRECT) && (text.empty() || (m_showAccelChar && text == "&")))
        text += ' ';
    if (!m_showAccelChar)
        flags |= DT_NOPREFIX;
    flags = DrawTextBiDiModeFlags(flags);
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->RequireFont();
    HDC dc = canvas->Handle();
    if (!dc)
        return;
    SetBkMode(dc, TRANSPARENT);
    if (!Enabled())
        SetTextColor(dc, ColorToRGB(clGrayText));
    DrawTextA(dc, text.c_str(), -1, &rect, flags);
}

void TCustomLabel::Paint()
{
    TCanvas* canvas = Canvas();
    RECT rect = ClientRect();
    if (!m_transparent) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(rect);
    }
    canvas->Brush()->SetStyle(bsClear);
    int flags = TextFlags();
    if (m_layout != tlTop) {
        RECT measured = rect;
        DoDrawText(measured, flags | DT_CALCRECT);
        int room = rect.bottom - measured.bottom;
        OffsetRect(&rect, 0, m_layout == tlBottom ? room : room / 2);
    }
    DoDrawText(rect, flags);
}

void TCustomLabel::AdjustSize()
{
    if (!AutoSize())
        return;
    RECT rect = ClientRect();
    if (!m_wordWrap)
        rect.right = rect.left;  // measure the single line at its own width
    {
        TMeasuringDC screen;
        TControlCanvas* canvas = ControlCanvas();
        canvas->FreeContext();
        TCanvasDCLoan loan(canvas, screen.Get());
        // The whole text: a label that sizes itself cuts nothing.
        DoDrawText(rect, (TextFlags() & ~(DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) | DT_CALCRECT);
    }
    int left = Left();
    if (m_alignment == taRightJustify && !m_wordWrap)
        left += Width() - rect.right;
    SetBounds(left, Top(), rect.right, rect.bottom);
}

void TCustomLabel::TextChanged()
{
    AdjustSize();
    Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    Invalidate();
}

void TCustomLabel::SetEllipsisPosition(TEllipsisPosition position)
{
    if (position == m_ellipsisPosition)
        return;
    m_ellipsisPosition = position;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool wordWrap)
{
    if (wordWrap == m_wordWrap)
        return;
    m_wordWrap = wordWrap;
    AdjustSize();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    SetControlStyle(transparent ? (ControlStyle() & ~csOpaque) : (ControlStyle() | csOpaque));
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool show)
{
    if (show == m_showAccelChar)
        return;
    m_showAccelChar = show;
    AdjustSize();
    Invalidate();
}
