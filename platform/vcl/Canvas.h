#pragma once
// A drawing surface over a device context, with its own font, brush and pen
// that are selected into the context when a drawing call needs them. The
// context comes from the derived class on first use (a bitmap's memory DC, a
// control's window DC) or is handed in through SetHandle.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/vcl/GraphicsObjects.h"

class TGraphic;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle();
    // Hands in a context (or 0 to let it go). The canvas never frees a
    // context it was given.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return m_dc != nullptr; }

    TFont* Font() { return &m_font; }
    TBrush* Brush() { return &m_brush; }
    TPen* Pen() { return &m_pen; }
    void SetFont(TFont* font) { m_font.Assign(font); }
    void SetBrush(TBrush* brush) { m_brush.Assign(brush); }
    DWORD CopyMode() const { return m_copyMode; }
    void SetCopyMode(DWORD mode) { m_copyMode = mode; }

    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Polygon(const POINT* points, int count);
    void Polygon(const std::vector<POINT>& points) { Polygon(points.data(), static_cast<int>(points.size())); }
    void Polyline(const POINT* points, int count);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void TextOut(int x, int y, const std::string& text);
    // Text at (x, y), clipped to `rect`; the brush fills the rectangle unless clear.
    void TextRect(const RECT& rect, int x, int y, const std::string& text);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    COLORREF Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const RECT& rect, TGraphic* graphic);
    // Copies `source` of `canvas` into `destination` with CopyMode.
    void CopyRect(const RECT& destination, TCanvas* canvas, const RECT& source);

    // Brackets every drawing call; a bitmap's canvas tells its bitmap.
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // Selects font, brush and pen as the next call needs them.
    void RequireFont();
    void RequirePenAndBrush();
    // Puts the context's own objects back (before it goes or an object changes).
    void DeselectObjects();

protected:
    // Makes the context on first use; the base has none to make.
    virtual void CreateHandle() {}
    void Changing();
    void Changed();

private:
    void ObjectChanged(TObject* sender);

    HDC m_dc = nullptr;
    TFont m_font;
    TBrush m_brush;
    TPen m_pen;
    DWORD m_copyMode = SRCCOPY;
    HGDIOBJ m_originalFont = nullptr;
    HGDIOBJ m_originalPen = nullptr;
    HGDIOBJ m_originalBrush = nullptr;
    bool m_fontSelected = false;
    bool m_penBrushSelected = false;
};

// Lends `dc` to `canvas` for a scope. However the scope ends, the canvas's
// font, brush and pen leave the lent context and the canvas gets back the
// context it had before (usually none), so no stale context stays in it.
class TCanvasDCLoan {
public:
    TCanvasDCLoan(TCanvas* canvas, HDC dc)
        : m_canvas(canvas), m_previous(canvas->HandleAllocated() ? canvas->Handle() : nullptr)
    {
        canvas->SetHandle(dc);
    }
    ~TCanvasDCLoan()
    {
        if (m_canvas)
            m_canvas->SetHandle(m_previous);
    }
    TCanvasDCLoan(TCanvasDCLoan&& other) noexcept
        : m_canvas(std::exchange(other.m_canvas, nullptr)), m_previous(other.m_previous)
    {
    }
    TCanvasDCLoan(const TCanvasDCLoan&) = delete;
    TCanvasDCLoan& operator=(const TCanvasDCLoan&) = delete;

private:
    TCanvas* m_canvas;
    HDC m_previous;
};
