#pragma once
// Paints a window's client area into a bitmap as the window does in
// WM_PAINT (background, then its windowless children in z-order), without
// reading the screen.

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/WinControl.h"

namespace zxtest {

class OffscreenPaint {
public:
    explicit OffscreenPaint(TWinControl* control)
    {
        RECT client = control->ClientRect();
        m_bitmap.SetPixelFormat(pf24bit);
        m_bitmap.Canvas()->Brush()->SetColor(clBlack);
        m_bitmap.SetSize(client.right, client.bottom);
        HDC dc = m_bitmap.Canvas()->Handle();
        control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    COLORREF At(int x, int y) { return m_bitmap.Canvas()->Pixel(x, y); }
    TBitmap& Bitmap() { return m_bitmap; }

private:
    TBitmap m_bitmap;
};

}  // namespace zxtest
