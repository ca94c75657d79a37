#pragma once
// Window-level makers of layered windows. Both user32 entry points are
// looked up at run time. Without its entry point the per-pixel maker does
// nothing; the colour-key maker must not be applied (IsEnabled), and the
// form makers then shape nothing.
//
// - LayeredWindowMaker: colour key and constant alpha (SetLayeredWindowAttributes).
// - PerPixelLayeredWindowBase / TPerPixelLayeredWindowMaker: a bitmap pushed
//   to the window (UpdateLayeredWindow), with per-pixel alpha when the
//   bitmap has 32 bits per pixel.

#include <windows.h>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/WinControl.h"

namespace qn {

// The module the makers look their entry points up in.
HMODULE User32Module();

// The settings both window makers share. The setters only store; the next
// Apply uses them.
class LayeredWindowSettings {
public:
    TColor GetColorKey() const { return m_colorKey; }
    void SetColorKey(TColor color) { m_colorKey = color; }
    bool GetColorKeyEnabled() const { return m_colorKeyEnabled; }
    void SetColorKeyEnabled(bool enabled) { m_colorKeyEnabled = enabled; }
    bool GetClickThrough() const { return m_clickThrough; }
    void SetClickThrough(bool clickThrough) { m_clickThrough = clickThrough; }
    bool GetAlphaBlend() const { return m_alphaBlend; }
    void SetAlphaBlend(bool alphaBlend) { m_alphaBlend = alphaBlend; }
    BYTE GetAlpha() const { return m_alpha; }
    void SetAlpha(BYTE alpha) { m_alpha = alpha; }

protected:
    // Sets WS_EX_LAYERED and WS_EX_TRANSPARENT as wished; true when the
    // style changed.
    static bool UpdateStyle(HWND window, bool layered, bool clickThrough);
    // Takes the layered style away and redraws when that changed anything.
    static void RemoveLayeredStyle(HWND window, bool clickThrough);
    // The key as the system wants it: no flag byte.
    COLORREF KeyRGB() const;

private:
    TColor m_colorKey = -1;
    bool m_colorKeyEnabled = false;
    bool m_clickThrough = false;
    bool m_alphaBlend = false;
    BYTE m_alpha = 255;
};

using SetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using UpdateLayeredWindowFunction = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                  DWORD);

class LayeredWindowMaker : public LayeredWindowSettings {
public:
    explicit LayeredWindowMaker(HMODULE user32 = User32Module());
    virtual ~LayeredWindowMaker() = default;

    bool IsEnabled() const { return m_setAttributes != nullptr; }
    // Colour key and/or constant alpha as set; neither removes the layered
    // style. Requires IsEnabled.
    void Apply(HWND window);
    // Clears WS_EX_LAYERED and WS_EX_TRANSPARENT.
    void Remove(HWND window);

private:
    SetLayeredWindowAttributesFunction m_setAttributes = nullptr;
};

class PerPixelLayeredWindowBase : public LayeredWindowSettings {
public:
    explicit PerPixelLayeredWindowBase(HMODULE user32 = User32Module());
    virtual ~PerPixelLayeredWindowBase() = default;

    bool IsEnabled() const { return m_updateLayeredWindow != nullptr; }
    bool GetPerPixelAlpha() const { return m_perPixelAlpha; }
    void SetPerPixelAlpha(bool perPixelAlpha) { m_perPixelAlpha = perPixelAlpha; }

    // Pushes the bitmap to the window at its current place: blended with
    // the bitmap's own alpha when it has 32 bits per pixel and per-pixel
    // alpha is on, faded by the constant alpha when alpha blending is on,
    // else colour-keyed when the key is on; with none of them the window
    // stops being layered.
    void Apply(TWinControl* control, TBitmap* bitmap);
    void Apply(HWND window, TBitmap* bitmap);
    void Remove(TWinControl* control);
    void Remove(HWND window);

protected:
    virtual HBITMAP GetBitmapHandle(TBitmap* bitmap) = 0;

private:
    void Push(HWND window, HBITMAP bitmap, SIZE size, BLENDFUNCTION blend, DWORD flags);

    bool m_perPixelAlpha = false;
    UpdateLayeredWindowFunction m_updateLayeredWindow = nullptr;
};

class TPerPixelLayeredWindowMaker : public PerPixelLayeredWindowBase {
public:
    using PerPixelLayeredWindowBase::PerPixelLayeredWindowBase;

protected:
    // The bitmap's handle, let go by its own drawing context (a bitmap can
    // be selected into one context at a time).
    HBITMAP GetBitmapHandle(TBitmap* bitmap) override;
};

// Colours of a 32-bit bitmap times their alpha (value × alpha / 255,
// truncated), as UpdateLayeredWindow's source alpha wants them; other
// formats are left alone.
void PremultiplyAlpha(TBitmap* bitmap);

}  // namespace qn
