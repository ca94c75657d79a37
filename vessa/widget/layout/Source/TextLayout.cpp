#include "vessa/widget/layout/Source/TextLayout.h"

#include <cstdlib>

#include "vessa/widget/layout/Source/BitmapBlend.h"
#include "vessa/widget/layout/Source/BlurFilter.h"

namespace vessa {

namespace {

// The text margin the shadow needs beyond the measured text, besides its offset.
constexpr int kShadowRoom = 3;

int PlatformDrawText(HDC dc, const char* text, RECT* rect, UINT format)
{
    return DrawTextA(dc, text ? text : "", -1, rect, format);
}

int PlatformDrawText(HDC dc, const wchar_t* text, RECT* rect, UINT format)
{
    return DrawTextW(dc, text ? text : L"", -1, rect, format);
}

template <typename Char>
void DrawPlain(TCanvas* canvas, const Char* text, const RECT& rect, UINT format)
{
    canvas->RequireFont();
    HDC dc = canvas->Handle();
    if (!dc)
        return;
    SetBkMode(dc, TRANSPARENT);
    RECT target = rect;
    PlatformDrawText(dc, text, &target, format);
}

template <typename Char>
void MeasurePlain(TCanvas* canvas, const Char* text, RECT& rect, UINT format)
{
    canvas->RequireFont();
    HDC dc = canvas->Handle();
    if (!dc)
        return;
    RECT measured = rect;
    PlatformDrawText(dc, text, &measured, format | DT_CALCRECT);
    rect = measured;
}

}  // namespace

void DrawPlainText(TCanvas* canvas, const char* text, const RECT& rect, UINT format)
{
    DrawPlain(canvas, text, rect, format);
}

void DrawPlainText(TCanvas* canvas, const wchar_t* text, const RECT& rect, UINT format)
{
    DrawPlain(canvas, text, rect, format);
}

void MeasurePlainText(TCanvas* canvas, const char* text, RECT& rect, UINT format)
{
    MeasurePlain(canvas, text, rect, format);
}

void MeasurePlainText(TCanvas* canvas, const wchar_t* text, RECT& rect, UINT format)
{
    MeasurePlain(canvas, text, rect, format);
}

void TTextLayout::DrawText(TCanvas* canvas, const char* text, const RECT& rect, UINT format)
{
    DrawPlain(canvas, text, rect, format);
}

void TTextLayout::DrawText(TCanvas* canvas, const wchar_t* text, const RECT& rect, UINT format)
{
    DrawPlain(canvas, text, rect, format);
}

void TTextLayout::CalcRect(TCanvas* canvas, const char* text, RECT& rect, UINT format)
{
    MeasurePlain(canvas, text, rect, format);
}

void TTextLayout::CalcRect(TCanvas* canvas, const wchar_t* text, RECT& rect, UINT format)
{
    MeasurePlain(canvas, text, rect, format);
}

RECT TShadedTextLayout::TextRect(const RECT& rect) const
{
    RECT inset = rect;
    InflateRect(&inset, -static_cast<int>(m_blurRadius), -static_cast<int>(m_blurRadius));
    return inset;
}

template <typename Char>
void TShadedTextLayout::DrawShaded(TCanvas* canvas, const Char* text, const RECT& rect, UINT format)
{
    RECT textRect = TextRect(rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (!m_shaded || width <= 0 || height <= 0) {
        DrawPlain(canvas, text, textRect, format);
        return;
    }

    // The text's shape: white text on black, as large as the rectangle.
    TBitmap shadow;
    shadow.SetPixelFormat(pf32bit);
    shadow.Canvas()->Brush()->SetColor(clBlack);
    shadow.SetSize(width, height);
    shadow.Canvas()->SetFont(canvas->Font());
    shadow.Canvas()->Font()->SetColor(clWhite);
    RECT shapeRect = textRect;
    OffsetRect(&shapeRect, -rect.left, -rect.top);
    DrawPlain(shadow.Canvas(), text, shapeRect, format);

    RenderShadow(&shadow);
    TBitmap beneath;
    CaptureCanvasRect(canvas, &beneath, rect);
    AlphaBlendBitmapRect(&shadow, RECT{0, 0, width, height}, &beneath, m_shadowOffset, 255);
    canvas->Draw(rect.left, rect.top, &beneath);

    DrawPlain(canvas, text, textRect, format);
}

void TShadedTextLayout::DrawText(TCanvas* canvas, const char* text, const RECT& rect, UINT format)
{
    DrawShaded(canvas, text, rect, format);
}

void TShadedTextLayout::DrawText(TCanvas* canvas, const wchar_t* text, const RECT& rect, UINT format)
{
    DrawShaded(canvas, text, rect, format);
}

template <typename Char>
void TShadedTextLayout::Measure(TCanvas* canvas, const Char* text, RECT& rect, UINT format)
{
    RECT measured = TextRect(rect);
    MeasurePlain(canvas, text, measured, format);
    if (m_shaded) {
        rect.right = measured.right + kShadowRoom + std::abs(static_cast<int>(m_shadowOffset.x));
        rect.bottom = measured.bottom + kShadowRoom + std::abs(static_cast<int>(m_shadowOffset.y));
    } else {
        // The rectangle that draws this text inset as it was measured.
        rect.right = measured.right + static_cast<int>(m_blurRadius);
        rect.bottom = measured.bottom + static_cast<int>(m_blurRadius);
    }
}

void TShadedTextLayout::CalcRect(TCanvas* canvas, const char* text, RECT& rect, UINT format)
{
    Measure(canvas, text, rect, format);
}

void TShadedTextLayout::CalcRect(TCanvas* canvas, const wchar_t* text, RECT& rect, UINT format)
{
    Measure(canvas, text, rect, format);
}

void TShadedTextLayout::RenderShadow(TBitmap* bitmap)
{
    // Alpha needs a fourth byte per pixel.
    if (bitmap->PixelFormat() != pf32bit)
        bitmap->SetPixelFormat(pf32bit);
    const int width = bitmap->Width();
    const int height = bitmap->Height();
    const int r = static_cast<int>(m_blurRadius);

    IntTable luminance = CreateLuminanceTable(bitmap);
    GaussianFilterFactory factory;
    factory.SetSigma(m_sigma);
    const IntTable* kernel = nullptr;
    int divisor = 1;
    factory.CreateKernel(kernel, divisor, m_blurRadius);
    IntTable blurred(height, width);
    Convolve(luminance, *kernel, blurred, r, r, divisor);
    factory.DestroyKernel(kernel, m_blurRadius);

    COLORREF colour = ColorToRGB(m_shadowColor);
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<BYTE*>(bitmap->ScanLine(y));
        for (int x = 0; x < width; ++x) {
            BYTE* pixel = row + x * 4;
            pixel[0] = GetBValue(colour);
            pixel[1] = GetGValue(colour);
            pixel[2] = GetRValue(colour);
            bool nearEdge = x < r || x >= width - r || y < r || y >= height - r;
            pixel[3] = nearEdge ? 0 : static_cast<BYTE>(blurred[y][x] * m_shadeAlpha / 255);
        }
    }
}

}  // namespace vessa
