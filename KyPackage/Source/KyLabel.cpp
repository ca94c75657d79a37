#include "KyPackage/Source/KyLabel.h"

#include "platform/vcl/GdiGuards.h"

KyLabel::KyLabel(TComponent* owner) : TCustomLabel(owner), m_layout(new vessa::TShadedTextLayout) {}

KyLabel::~KyLabel()
{
    m_layout->Release();
}

void KyLabel::SetShaded(bool shaded)
{
    if (shaded == m_layout->Shaded())
        return;
    m_layout->SetShaded(shaded);
    AdjustSize();
    Invalidate();
}

void KyLabel::SetTextFormat(int format)
{
    if (format == m_textFormat)
        return;
    m_textFormat = format;
    AdjustSize();
    Invalidate();
}

int KyLabel::ShadedFlags(int flags) const
{
    if (Layout() == tlCenter)
        flags |= DT_VCENTER;
    else if (Layout() == tlBottom)
        flags |= DT_BOTTOM;
    if (WordWrap())
        flags = (flags & ~DT_SINGLELINE) | DT_WORDBREAK;
    else
        flags |= DT_SINGLELINE;
    if (!ShowAccelChar())
        flags |= DT_NOPREFIX;
    return DrawTextBiDiModeFlags(flags);
}

void KyLabel::DoDrawText(RECT& rect, int flags)
{
    flags |= m_textFormat;
    if (!DrawsShadow()) {
        TCustomLabel::DoDrawText(rect, flags);
        return;
    }
    // A shaded caption is placed within the whole rectangle by its flags
    // (DT_VCENTER, DT_BOTTOM), so a measure for placement leaves the
    // rectangle as it is.
    if (flags & DT_CALCRECT)
        return;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    m_layout->DrawText(canvas, Caption().c_str(), rect, ShadedFlags(flags));
}

void KyLabel::AdjustSize()
{
    if (!DrawsShadow()) {
        TCustomLabel::AdjustSize();
        return;
    }
    if (!AutoSize())
        return;
    RECT rect = ClientRect();
    if (!WordWrap())
        rect.right = rect.left;
    // Where the text sits does not change its size; some DrawText versions
    // move it even while measuring.
    int flags = ShadedFlags(TextFlags() | m_textFormat) & ~(DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM);
    {
        TMeasuringDC measuring;
        TControlCanvas* canvas = ControlCanvas();
        canvas->FreeContext();
        canvas->SetHandle(measuring.Get());
        canvas->SetFont(Font());
        m_layout->CalcRect(canvas, Caption().c_str(), rect, flags);
        canvas->SetHandle(nullptr);
    }
    // A wrapped caption keeps the label's width and takes the height it needs.
    int width = WordWrap() ? Width() : rect.right;
    int left = Left();
    if (Alignment() == taRightJustify && !WordWrap())
        left += Width() - width;
    SetBounds(left, Top(), width, rect.bottom);
}
