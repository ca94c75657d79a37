#include "turboInfo_Intel/src/gui/widget/LayeredWindow.h"

#include "platform/vcl/Canvas.h"
#include "vessa/Graphics/Graphicutility.h"
#include "vessa/System/ProcAddress.h"
#include "vessa/System/VessaAssert.h"

namespace qn {

namespace {

constexpr LONG_PTR kLayeredBits = WS_EX_LAYERED | WS_EX_TRANSPARENT;

// Source-over with constant alpha 255.
constexpr BLENDFUNCTION kOpaqueBlend{AC_SRC_OVER, 0, 255, 0};

// A window's device context and a memory context holding one bitmap, given
// back in reverse order.
class BitmapContext {
public:
    BitmapContext(HWND window, HBITMAP bitmap)
        : m_window(window),
          m_windowDc(GetDC(window)),
          m_memoryDc(CreateCompatibleDC(m_windowDc)),
          m_previous(m_memoryDc != nullptr ? SelectObject(m_memoryDc, bitmap) : nullptr)
    {
    }
    ~BitmapContext()
    {
        if (m_memoryDc != nullptr) {
            SelectObject(m_memoryDc, m_previous);
            DeleteDC(m_memoryDc);
        }
        if (m_windowDc != nullptr)
            ReleaseDC(m_window, m_windowDc);
    }
    BitmapContext(const BitmapContext&) = delete;
    BitmapContext& operator=(const BitmapContext&) = delete;

    bool IsValid() const { return m_windowDc != nullptr && m_memoryDc != nullptr && m_previous != nullptr; }
    HDC WindowDc() const { return m_windowDc; }
    HDC MemoryDc() const { return m_memoryDc; }

private:
    HWND m_window;
    HDC m_windowDc;
    HDC m_memoryDc;
    HGDIOBJ m_previous;
};

}  // namespace

HMODULE User32Module()
{
    return GetModuleHandleW(L"user32.dll");
}

bool LayeredWindowSettings::UpdateStyle(HWND window, bool layered, bool clickThrough)
{
    LONG_PTR style = GetWindowLongPtrA(window, GWL_EXSTYLE);
    LONG_PTR wanted = (layered ? WS_EX_LAYERED : 0) | (clickThrough ? WS_EX_TRANSPARENT : 0);
    if ((style & kLayeredBits) == wanted)
        return false;
    SetWindowLongPtrA(window, GWL_EXSTYLE, (style & ~kLayeredBits) | wanted);
    return true;
}

void LayeredWindowSettings::RemoveLayeredStyle(HWND window, bool clickThrough)
{
    if (UpdateStyle(window, false, clickThrough))
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

COLORREF LayeredWindowSettings::KeyRGB() const
{
    return static_cast<COLORREF>(vessa::ColorRGB(m_colorKey));
}

LayeredWindowMaker::LayeredWindowMaker(HMODULE user32)
    : m_setAttributes(vessa::GetProcAddressAs<SetLayeredWindowAttributesFunction>(user32, "SetLayeredWindowAttributes"))
{
}

void LayeredWindowMaker::Apply(HWND window)
{
    VESSA_ASSERT_AT(IsEnabled(), "LayeredWindow", 111);
    if (!GetColorKeyEnabled() && !GetAlphaBlend()) {
        RemoveLayeredStyle(window, GetClickThrough());
        return;
    }
    UpdateStyle(window, true, GetClickThrough());
    DWORD flags = (GetAlphaBlend() ? LWA_ALPHA : 0) | (GetColorKeyEnabled() ? LWA_COLORKEY : 0);
    m_setAttributes(window, KeyRGB(), GetAlpha(), flags);
}

void LayeredWindowMaker::Remove(HWND window)
{
    RemoveLayeredStyle(window, false);
}

PerPixelLayeredWindowBase::PerPixelLayeredWindowBase(HMODULE user32)
    : m_updateLayeredWindow(vessa::GetProcAddressAs<UpdateLayeredWindowFunction>(user32, "UpdateLayeredWindow"))
{
}

void PerPixelLayeredWindowBase::Apply(TWinControl* control, TBitmap* bitmap)
{
    if (control != nullptr)
        Apply(control->Handle(), bitmap);
}

void PerPixelLayeredWindowBase::Apply(HWND window, TBitmap* bitmap)
{
    if (!IsEnabled() || window == nullptr)
        return;
    HBITMAP handle = bitmap != nullptr ? GetBitmapHandle(bitmap) : nullptr;
    BITMAP info{};
    if (handle == nullptr || GetObjectA(handle, sizeof info, &info) == 0) {
        RemoveLayeredStyle(window, GetClickThrough());  // nothing to show
        return;
    }
    const SIZE size{info.bmWidth, info.bmHeight};
    // Source alpha only where the bitmap has an alpha channel: read from a
    // 24-bit bitmap it would be garbage.
    const bool perPixel = info.bmBitsPixel == 32 && m_perPixelAlpha;
    BLENDFUNCTION blend = kOpaqueBlend;
    if (!GetAlphaBlend() && !perPixel) {
        if (!GetColorKeyEnabled()) {
            RemoveLayeredStyle(window, GetClickThrough());
            return;
        }
        UpdateStyle(window, true, GetClickThrough());
        Push(window, handle, size, blend, ULW_COLORKEY);
        return;
    }
    if (perPixel)
        blend.AlphaFormat = AC_SRC_ALPHA;
    if (GetAlphaBlend())
        blend.SourceConstantAlpha = GetAlpha();
    UpdateStyle(window, true, GetClickThrough());
    Push(window, handle, size, blend, ULW_ALPHA);
}

void PerPixelLayeredWindowBase::Remove(TWinControl* control)
{
    if (control != nullptr && control->HandleAllocated())
        Remove(control->Handle());
}

void PerPixelLayeredWindowBase::Remove(HWND window)
{
    RemoveLayeredStyle(window, false);
}

void PerPixelLayeredWindowBase::Push(HWND window, HBITMAP bitmap, SIZE size, BLENDFUNCTION blend, DWORD flags)
{
    BitmapContext context(window, bitmap);
    if (!context.IsValid())
        return;
    RECT place{};
    GetWindowRect(window, &place);
    POINT destination{place.left, place.top};
    POINT source{0, 0};
    m_updateLayeredWindow(window, context.WindowDc(), &destination, &size, context.MemoryDc(), &source, KeyRGB(),
                          &blend, flags);
}

HBITMAP TPerPixelLayeredWindowMaker::GetBitmapHandle(TBitmap* bitmap)
{
    if (auto* canvas = dynamic_cast<TBitmapCanvas*>(bitmap->Canvas()))
        canvas->FreeContext();
    return bitmap->Handle();
}

void PremultiplyAlpha(TBitmap* bitmap)
{
    if (bitmap == nullptr || bitmap->PixelFormat() != pf32bit)
        return;
    for (int y = 0; y < bitmap->Height(); ++y) {
        auto* pixel = static_cast<BYTE*>(bitmap->ScanLine(y));
        for (int x = 0; x < bitmap->Width(); ++x, pixel += 4)
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<BYTE>(pixel[c] * pixel[3] / 255);
    }
}

}  // namespace qn
