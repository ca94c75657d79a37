#pragma once
// Font, brush and pen: properties that make a GDI object on demand and tell
// their owner (a canvas, a control) through OnChange.

#include <windows.h>

#include <string>

#include "platform/vcl/Classes.h"
#include "platform/vcl/Colors.h"

class TGraphicsObject : public TPersistent {
public:
    TGraphicsObject() = default;
    TGraphicsObject(const TGraphicsObject&) = delete;
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;
    ~TGraphicsObject() override;

    TNotifyEvent OnChange;

protected:
    // Drops the cached GDI object and fires OnChange.
    void Changed();
    void DropHandle();
    HGDIOBJ m_handle = nullptr;
};

enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TFont : public TGraphicsObject {
public:
    TFont();
    HFONT Handle();
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name);
    int Height() const { return m_height; }  // pixels; negative = character height
    void SetHeight(int height);
    int Size() const;  // points at 96 pixels per inch
    void SetSize(int points);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);
    BYTE Charset() const { return m_charset; }
    void SetCharset(BYTE charset);
    void Assign(TPersistent* source) override;

private:
    std::string m_name = "Tahoma";
    int m_height = -11;
    TColor m_color = clWindowText;
    TFontStyles m_style = 0;
    BYTE m_charset = DEFAULT_CHARSET;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    HBRUSH Handle();
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle style);
    void Assign(TPersistent* source) override;

private:
    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen : public TGraphicsObject {
public:
    HPEN Handle();
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    int Width() const { return m_width; }
    void SetWidth(int width);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode mode);
    void Assign(TPersistent* source) override;

private:
    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = psSolid;
    TPenMode m_mode = pmCopy;
};
