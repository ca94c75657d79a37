#include "platform/vcl/Canvas.h"

#include "platform/vcl/Graphic.h"

void TGraphic::SetTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    Changed();
}

TCanvas::TCanvas()
{
    m_font.OnChange = TNotifyEvent(this, &TCanvas::ObjectChanged);
    m_brush.OnChange = TNotifyEvent(this, &TCanvas::ObjectChanged);
    m_pen.OnChange = TNotifyEvent(this, &TCanvas::ObjectChanged);
}

TCanvas::~TCanvas()
{
    SetHandle(nullptr);
}

HDC TCanvas::Handle()
{
    if (!m_dc)
        CreateHandle();
    return m_dc;
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == m_dc)
        return;
    if (m_dc)
        DeselectObjects();
    m_dc = dc;
}

void TCanvas::ObjectChanged(TObject* sender)
{
    // The object's old GDI handle is deleted after this returns, so it must
    // not stay selected.
    if (!m_dc)
        return;
    if (sender == &m_font && m_fontSelected) {
        SelectObject(m_dc, m_originalFont);
        m_fontSelected = false;
    } else if (sender != &m_font && m_penBrushSelected) {
        SelectObject(m_dc, m_originalPen);
        SelectObject(m_dc, m_originalBrush);
        m_penBrushSelected = false;
    }
}

void TCanvas::DeselectObjects()
{
    if (!m_dc)
        return;
    if (m_fontSelected)
        SelectObject(m_dc, m_originalFont);
    if (m_penBrushSelected) {
        SelectObject(m_dc, m_originalPen);
        SelectObject(m_dc, m_originalBrush);
    }
    m_fontSelected = m_penBrushSelected = false;
}

void TCanvas::RequireFont()
{
    HDC dc = Handle();
    if (!dc)
        return;
    // The handle may have been made again since it was selected.
    HGDIOBJ font = m_font.Handle();
    HGDIOBJ previous = SelectObject(dc, font);
    if (!m_fontSelected)
        m_originalFont = previous;
    m_fontSelected = true;
    SetTextColor(dc, ColorToRGB(m_font.Color()));
}

void TCanvas::RequirePenAndBrush()
{
    HDC dc = Handle();
    if (!dc)
        return;
    HGDIOBJ previousPen = SelectObject(dc, m_pen.Handle());
    HGDIOBJ previousBrush = SelectObject(dc, m_brush.Handle());
    if (!m_penBrushSelected) {
        m_originalPen = previousPen;
        m_originalBrush = previousBrush;
    }
    m_penBrushSelected = true;
    static const int ropModes[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                   R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                   R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                   R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    SetROP2(dc, ropModes[m_pen.Mode()]);
    SetBkColor(dc, ColorToRGB(m_brush.Color()));
    SetBkMode(dc, m_brush.Style() == bsSolid ? OPAQUE : TRANSPARENT);
}

void TCanvas::Changing()
{
    OnChanging(this);
}

void TCanvas::Changed()
{
    OnChange(this);
}

void TCanvas::FillRect(const RECT& rect)
{
    Changing();
    RequirePenAndBrush();
    if (HDC dc = Handle(); dc && m_brush.Style() != bsClear)
        ::FillRect(dc, &rect, m_brush.Handle());
    Changed();
}

void TCanvas::FrameRect(const RECT& rect)
{
    Changing();
    RequirePenAndBrush();
    if (HDC dc = Handle())
        ::FrameRect(dc, &rect, m_brush.Handle());
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    Changing();
    RequirePenAndBrush();
    if (HDC dc = Handle())
        ::Rectangle(dc, left, top, right, bottom);
    Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    Changing();
    RequirePenAndBrush();
    if (HDC dc = Handle())
        ::Ellipse(dc, left, top, right, bottom);
    Changed();
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    Changing();
    RequirePenAndBrush();
    if (HDC dc = Handle())
        ::RoundRect(dc, left, top, right, bottom, cornerWidth, cornerHeight);
    Changed();
}

void TCanvas::Polygon(const POINT* points, int count)
{
    Changing();
    RequirePenAndBrush();
    if (HDC dc = Handle(); dc && count > 0)
        ::Polygon(dc, points, count);
    Changed();
}

void TCanvas::Polyline(const POINT* points, int count)
{
    Changing();
    RequirePenAndBrush();
    if (HDC dc = Handle(); dc && count > 0)
        ::Polyline(dc, points, count);
    Changed();
}

void TCanvas::MoveTo(int x, int y)
{
    if (HDC dc = Handle())
        MoveToEx(dc, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    Changing();
    RequirePenAndBrush();
    if (HDC dc = Handle())
        ::LineTo(dc, x, y);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    Changing();
    RequirePenAndBrush();
    RequireFont();
    if (HDC dc = Handle())
        ::TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    Changed();
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text)
{
    Changing();
    RequirePenAndBrush();
    RequireFont();
    if (HDC dc = Handle()) {
        UINT options = ETO_CLIPPED | (m_brush.Style() != bsClear ? ETO_OPAQUE : 0);
        ExtTextOutA(dc, x, y, options, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    }
    Changed();
}

SIZE TCanvas::TextExtent(const std::string& text)
{
    SIZE size{};
    RequireFont();
    if (HDC dc = Handle())
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

COLORREF TCanvas::Pixel(int x, int y)
{
    HDC dc = Handle();
    return dc ? GetPixel(dc, x, y) : CLR_INVALID;
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    Changing();
    if (HDC dc = Handle())
        ::SetPixel(dc, x, y, ColorToRGB(color));
    Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty())
        return;
    RECT rect{x, y, x + graphic->Width(), y + graphic->Height()};
    Changing();
    graphic->Draw(this, rect);
    Changed();
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic* graphic)
{
    if (!graphic || graphic->Empty())
        return;
    Changing();
    graphic->Draw(this, rect);
    Changed();
}

void TCanvas::CopyRect(const RECT& destination, TCanvas* canvas, const RECT& source)
{
    Changing();
    HDC dc = Handle();
    HDC sourceDc = canvas ? canvas->Handle() : nullptr;
    if (dc && sourceDc) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, destination.left, destination.top, destination.right - destination.left,
                   destination.bottom - destination.top, sourceDc, source.left, source.top, source.right - source.left,
                   source.bottom - source.top, m_copyMode);
    }
    Changed();
}
