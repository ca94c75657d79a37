#pragma once
// The shared drawing objects of owner-drawn list items: the text layout
// that colours an item's text by its owner-draw state, and the frame layout
// that fills an item's background. One instance of each serves the whole
// process; it is made on first request and never freed.

#include <windows.h>

#include "platform/vcl/ListBox.h"
#include "vessa/widget/layout/Source/TextLayout.h"

namespace vessa {

class TOwnerDrawTextLayout : public TLayoutBase {
public:
    static TOwnerDrawTextLayout* Instance();

    virtual ~TOwnerDrawTextLayout() = default;
    // The font colour for `state`, then a plain draw.
    virtual void DrawText(TCanvas* canvas, const char* text, const RECT& rect, UINT format, TOwnerDrawState state);
    virtual void DrawText(TCanvas* canvas, const wchar_t* text, const RECT& rect, UINT format, TOwnerDrawState state);
    virtual void CalcRect(TCanvas* canvas, const char* text, RECT& rect, UINT format);
    virtual void CalcRect(TCanvas* canvas, const wchar_t* text, RECT& rect, UINT format);
    // Shared: there is nothing to end.
    virtual void Release() {}
    // Greyed or disabled items take the disabled colour, selected ones the
    // selected colour; otherwise the font keeps its colour.
    virtual void SetFontColor(TCanvas* canvas, TOwnerDrawState state);

    TColor SelectedTextColor() const { return m_selectedTextColor; }
    TColor DisabledTextColor() const { return m_disabledTextColor; }

protected:
    TOwnerDrawTextLayout() = default;
    TOwnerDrawTextLayout(const TOwnerDrawTextLayout&) = delete;
    TOwnerDrawTextLayout& operator=(const TOwnerDrawTextLayout&) = delete;

private:
    TColor m_selectedTextColor = clHighlightText;
    TColor m_disabledTextColor = clGrayText;
};

class TFrameLayout : public TLayoutBase {
public:
    static TFrameLayout* Instance();

    virtual RECT GetContentRect(const RECT& rect) { return rect; }
    // Called with a measured item; a plain frame needs no room of its own.
    virtual void MeasureContent(TCanvas* canvas, RECT& rect) {}
    // Fills `rect` with the canvas's current brush.
    virtual void DrawBackground(TCanvas* canvas, const RECT& rect);
    // Shared: there is nothing to end.
    virtual void Release() {}
    virtual ~TFrameLayout() = default;

protected:
    TFrameLayout() = default;
    TFrameLayout(const TFrameLayout&) = delete;
    TFrameLayout& operator=(const TFrameLayout&) = delete;
};

}  // namespace vessa
