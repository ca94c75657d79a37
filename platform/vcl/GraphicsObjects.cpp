#include "platform/vcl/GraphicsObjects.h"

#include <cmath>

TGraphicsObject::~TGraphicsObject()
{
    DropHandle();
}

void TGraphicsObject::DropHandle()
{
    if (m_handle) {
        DeleteObject(m_handle);
        m_handle = nullptr;
    }
}

void TGraphicsObject::Changed()
{
    // Listeners (a canvas) deselect the old object before it is deleted.
    HGDIOBJ old = m_handle;
    m_handle = nullptr;
    OnChange(this);
    if (old)
        DeleteObject(old);
}

TFont::TFont() = default;

HFONT TFont::Handle()
{
    if (!m_handle) {
        LOGFONTA font{};
        font.lfHeight = m_height;
        font.lfWeight = (m_style & fsBold) ? FW_BOLD : FW_NORMAL;
        font.lfItalic = (m_style & fsItalic) ? 1 : 0;
        font.lfUnderline = (m_style & fsUnderline) ? 1 : 0;
        font.lfStrikeOut = (m_style & fsStrikeOut) ? 1 : 0;
        font.lfCharSet = m_charset;
        font.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(font.lfFaceName, m_name.c_str(), LF_FACESIZE);
        m_handle = CreateFontIndirectA(&font);
    }
    return static_cast<HFONT>(m_handle);
}

void TFont::SetName(const std::string& name)
{
    if (name.empty() || name == m_name)
        return;
    m_name = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == m_height)
        return;
    m_height = height;
    Changed();
}

int TFont::Size() const
{
    return -static_cast<int>(std::lround(m_height * 72.0 / 96.0));
}

void TFont::SetSize(int points)
{
    SetHeight(-static_cast<int>(std::lround(points * 96.0 / 72.0)));
}

void TFont::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    // The colour is not part of the GDI font; keep the handle.
    OnChange(this);
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

void TFont::SetCharset(BYTE charset)
{
    if (charset == m_charset)
        return;
    m_charset = charset;
    Changed();
}

void TFont::Assign(TPersistent* source)
{
    if (auto* font = dynamic_cast<TFont*>(source)) {
        if (font == this)
            return;
        m_name = font->m_name;
        m_height = font->m_height;
        m_color = font->m_color;
        m_style = font->m_style;
        m_charset = font->m_charset;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

HBRUSH TBrush::Handle()
{
    if (!m_handle) {
        LOGBRUSH brush{};
        brush.lbColor = ColorToRGB(m_color);
        if (m_style == bsClear) {
            brush.lbStyle = BS_HOLLOW;
        } else if (m_style == bsSolid) {
            brush.lbStyle = BS_SOLID;
        } else {
            static const int hatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                          HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
            brush.lbStyle = BS_HATCHED;
            brush.lbHatch = hatches[m_style - bsHorizontal];
        }
        m_handle = CreateBrushIndirect(&brush);
    }
    return static_cast<HBRUSH>(m_handle);
}

void TBrush::SetColor(TColor color)
{
    if (color == m_color && m_style != bsClear)
        return;
    m_color = color;
    if (m_style == bsClear)
        m_style = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

void TBrush::Assign(TPersistent* source)
{
    if (auto* brush = dynamic_cast<TBrush*>(source)) {
        if (brush == this)
            return;
        m_color = brush->m_color;
        m_style = brush->m_style;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

HPEN TPen::Handle()
{
    if (!m_handle) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        m_handle = CreatePen(styles[m_style], m_width, ColorToRGB(m_color));
    }
    return static_cast<HPEN>(m_handle);
}

void TPen::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    Changed();
}

void TPen::SetWidth(int width)
{
    if (width == m_width || width < 0)
        return;
    m_width = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

void TPen::SetMode(TPenMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    OnChange(this);
}

void TPen::Assign(TPersistent* source)
{
    if (auto* pen = dynamic_cast<TPen*>(source)) {
        if (pen == this)
            return;
        m_color = pen->m_color;
        m_width = pen->m_width;
        m_style = pen->m_style;
        m_mode = pen->m_mode;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}
