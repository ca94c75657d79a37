#include "vessa/widget/layout/Source/OwnerDrawLayout.h"

namespace vessa {

TOwnerDrawTextLayout* TOwnerDrawTextLayout::Instance()
{
    static TOwnerDrawTextLayout* instance = new TOwnerDrawTextLayout;
    return instance;
}

void TOwnerDrawTextLayout::SetFontColor(TCanvas* canvas, TOwnerDrawState state)
{
    if (state & (odGrayed | odDisabled))
        canvas->Font()->SetColor(m_disabledTextColor);
    else if (state & odSelected)
        canvas->Font()->SetColor(m_selectedTextColor);
}

void TOwnerDrawTextLayout::DrawText(TCanvas* canvas, const char* text, const RECT& rect, UINT format,
                                    TOwnerDrawState state)
{
    SetFontColor(canvas, state);
    DrawPlainText(canvas, text, rect, format);
}

void TOwnerDrawTextLayout::DrawText(TCanvas* canvas, const wchar_t* text, const RECT& rect, UINT format,
                                    TOwnerDrawState state)
{
    SetFontColor(canvas, state);
    DrawPlainText(canvas, text, rect, format);
}

void TOwnerDrawTextLayout::CalcRect(TCanvas* canvas, const char* text, RECT& rect, UINT format)
{
    MeasurePlainText(canvas, text, rect, format);
}

void TOwnerDrawTextLayout::CalcRect(TCanvas* canvas, const wchar_t* text, RECT& rect, UINT format)
{
    MeasurePlainText(canvas, text, rect, format);
}

TFrameLayout* TFrameLayout::Instance()
{
    static TFrameLayout* instance = new TFrameLayout;
    return instance;
}

void TFrameLayout::DrawBackground(TCanvas* canvas, const RECT& rect)
{
    canvas->FillRect(rect);
}

}  // namespace vessa
