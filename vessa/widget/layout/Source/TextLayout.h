#pragma once
// Objects that put a text on a canvas: plain text with a transparent
// background, and text over a soft drop shadow made by blurring the text's
// own shape. Every operation takes ANSI or wide text alike.

#include <windows.h>

#include "platform/vcl/Bitmap.h"

namespace vessa {

// Transparent background, then the platform's DrawText with `format`.
void DrawPlainText(TCanvas* canvas, const char* text, const RECT& rect, UINT format);
void DrawPlainText(TCanvas* canvas, const wchar_t* text, const RECT& rect, UINT format);
// DrawText with DT_CALCRECT on a copy of `rect`, copied back into it.
void MeasurePlainText(TCanvas* canvas, const char* text, RECT& rect, UINT format);
void MeasurePlainText(TCanvas* canvas, const wchar_t* text, RECT& rect, UINT format);

class TLayoutBase {};

class TTextLayout : public TLayoutBase {
public:
    TTextLayout() = default;
    TTextLayout(const TTextLayout&) = delete;
    TTextLayout& operator=(const TTextLayout&) = delete;

    virtual void DrawText(TCanvas* canvas, const char* text, const RECT& rect, UINT format);
    virtual void DrawText(TCanvas* canvas, const wchar_t* text, const RECT& rect, UINT format);
    virtual void CalcRect(TCanvas* canvas, const char* text, RECT& rect, UINT format);
    virtual void CalcRect(TCanvas* canvas, const wchar_t* text, RECT& rect, UINT format);
    // Ends an object that its owner created; the plain layout has nothing to end.
    virtual void Release() {}
    virtual ~TTextLayout() = default;
};

// Text over its shadow: the text is drawn inset by the blur radius; its
// shadow, in the shadow colour and at most the shade alpha opaque, lies at
// the shadow offset and is clipped to the rectangle. Made with new by its
// one owner, which ends it through Release.
class TShadedTextLayout : public TTextLayout {
public:
    void DrawText(TCanvas* canvas, const char* text, const RECT& rect, UINT format) override;
    void DrawText(TCanvas* canvas, const wchar_t* text, const RECT& rect, UINT format) override;
    // With shading, `rect` grows to hold the inset text and its shadow;
    // without, to hold the inset text.
    void CalcRect(TCanvas* canvas, const char* text, RECT& rect, UINT format) override;
    void CalcRect(TCanvas* canvas, const wchar_t* text, RECT& rect, UINT format) override;
    void Release() override { delete this; }
    ~TShadedTextLayout() override = default;
    // Turns white-on-black text in the 32-bit `bitmap` into its shadow:
    // the shadow colour everywhere, alpha following the blurred text.
    virtual void RenderShadow(TBitmap* bitmap);

    BYTE ShadeAlpha() const { return m_shadeAlpha; }
    void SetShadeAlpha(BYTE alpha) { m_shadeAlpha = alpha; }
    bool Shaded() const { return m_shaded; }
    void SetShaded(bool shaded) { m_shaded = shaded; }
    POINT ShadowOffset() const { return m_shadowOffset; }
    TColor ShadowColor() const { return m_shadowColor; }
    unsigned BlurRadius() const { return m_blurRadius; }

private:
    template <typename Char>
    void DrawShaded(TCanvas* canvas, const Char* text, const RECT& rect, UINT format);
    template <typename Char>
    void Measure(TCanvas* canvas, const Char* text, RECT& rect, UINT format);
    RECT TextRect(const RECT& rect) const;

    POINT m_shadowOffset{1, 1};
    BYTE m_shadeAlpha = 120;
    TColor m_shadowColor = clBlack;
    unsigned m_blurRadius = 2;
    float m_sigma = 1.0f;
    bool m_shaded = true;
};

}  // namespace vessa
