// The window-level makers: the extended style and layered attributes a
// window gets from the colour key, constant alpha and click-through, what
// reaches UpdateLayeredWindow for each kind of bitmap, and makers whose
// entry points are missing doing nothing.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "TestProcess.h"
#include "WindowMakerSupport.h"
#include "turboInfo_Intel/src/gui/widget/LayeredWindow.h"
#include "vessa/System/VessaAssert.h"

namespace {

using wmtest::ExStyle;
using wmtest::kMagenta;

// A plain top-level window, destroyed with the object.
class PopupWindow {
public:
    PopupWindow()
        : m_window(CreateWindowExA(0, "STATIC", "", WS_POPUP, 10, 20, 30, 40, nullptr, nullptr, nullptr, nullptr))
    {
    }
    ~PopupWindow() { DestroyWindow(m_window); }
    HWND Handle() const { return m_window; }

private:
    HWND m_window;
};

ZX_TEST_CHILD(apply_without_set_attributes)
{
    PopupWindow window;
    qn::LayeredWindowMaker maker(wmtest::ModuleWithoutLayeredFunctions());
    maker.Apply(window.Handle());
    return 0;
}

}  // namespace

TEST(LayeredWindowMaker, StyleAndAttributesFollowTheSettings)
{
    struct Case {
        const char* name;
        bool colorKey, alphaBlend, clickThrough;
        TColor key;
        BYTE alpha;
        LONG_PTR style;  // WS_EX_LAYERED | WS_EX_TRANSPARENT part
        DWORD flags;     // GetLayeredWindowAttributes, when layered
    };
    const Case cases[] = {
        {"colour key", true, false, false, kMagenta, 255, WS_EX_LAYERED, LWA_COLORKEY},
        {"flagged colour key", true, false, false, kMagenta | 0x02000000, 255, WS_EX_LAYERED, LWA_COLORKEY},
        {"constant alpha", false, true, false, kMagenta, 128, WS_EX_LAYERED, LWA_ALPHA},
        {"both", true, true, false, kMagenta, 200, WS_EX_LAYERED, LWA_ALPHA | LWA_COLORKEY},
        {"click-through", true, false, true, kMagenta, 255, WS_EX_LAYERED | WS_EX_TRANSPARENT, LWA_COLORKEY},
        {"neither", false, false, false, kMagenta, 255, 0, 0},
        {"neither, click-through kept", false, false, true, kMagenta, 255, WS_EX_TRANSPARENT, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PopupWindow window;
        qn::LayeredWindowMaker maker;
        ASSERT_TRUE(maker.IsEnabled());
        // Start from a layered window, so "neither" has something to remove.
        maker.SetColorKeyEnabled(true);
        maker.Apply(window.Handle());

        maker.SetColorKeyEnabled(c.colorKey);
        maker.SetAlphaBlend(c.alphaBlend);
        maker.SetClickThrough(c.clickThrough);
        maker.SetColorKey(c.key);
        maker.SetAlpha(c.alpha);
        maker.Apply(window.Handle());
        EXPECT_EQ(ExStyle(window.Handle()) & (WS_EX_LAYERED | WS_EX_TRANSPARENT), c.style);
        if (!(c.style & WS_EX_LAYERED))
            continue;
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(window.Handle(), &key, &alpha, &flags));
        EXPECT_EQ(flags, c.flags);
        if (c.colorKey) {
            EXPECT_EQ(key, static_cast<COLORREF>(kMagenta));
        }
        if (c.alphaBlend) {
            EXPECT_EQ(alpha, c.alpha);
        }
    }
}

TEST(LayeredWindowMaker, RemoveClearsLayeredAndClickThrough)
{
    PopupWindow window;
    qn::LayeredWindowMaker maker;
    maker.SetColorKeyEnabled(true);
    maker.SetClickThrough(true);
    maker.Apply(window.Handle());
    maker.Remove(window.Handle());
    EXPECT_EQ(ExStyle(window.Handle()) & (WS_EX_LAYERED | WS_EX_TRANSPARENT), 0);
}

TEST(LayeredWindowMaker, StartsWithTheDocumentedSettings)
{
    qn::LayeredWindowMaker maker;
    EXPECT_EQ(maker.GetColorKey(), -1);
    EXPECT_FALSE(maker.GetColorKeyEnabled());
    EXPECT_FALSE(maker.GetClickThrough());
    EXPECT_FALSE(maker.GetAlphaBlend());
    EXPECT_EQ(maker.GetAlpha(), 255);
}

TEST(LayeredWindowMaker, WithoutTheEntryPointApplyIsAContractViolation)
{
    EXPECT_FALSE(qn::LayeredWindowMaker(wmtest::ModuleWithoutLayeredFunctions()).IsEnabled());
    zxtest::ProcessResult result = zxtest::RunChild("apply_without_set_attributes", {{"VESSA_ASSERT_SILENT", "1"}});
    EXPECT_EQ(result.exitCode, vessa::kAssertExitCode);
    EXPECT_NE(result.output.find("Assertion failed: IsEnabled(), file LayeredWindow, line 111"), std::string::npos)
        << result.output;
}

TEST(PerPixelLayeredWindowMaker, WhatReachesUpdateLayeredWindow)
{
    struct Case {
        const char* name;
        TPixelFormat format;
        bool perPixel, alphaBlend, colorKey;
        BYTE alpha;
        bool pushed;
        DWORD flags;
        BYTE constantAlpha, alphaFormat;
        bool layered;
    };
    const Case cases[] = {
        {"32-bit per-pixel", pf32bit, true, false, true, 255, true, ULW_ALPHA, 255, AC_SRC_ALPHA, true},
        {"32-bit per-pixel, faded", pf32bit, true, true, false, 90, true, ULW_ALPHA, 90, AC_SRC_ALPHA, true},
        {"24-bit with constant alpha: no source alpha", pf24bit, true, true, false, 90, true, ULW_ALPHA, 90, 0, true},
        {"32-bit, per-pixel off, constant alpha", pf32bit, false, true, true, 70, true, ULW_ALPHA, 70, 0, true},
        {"24-bit, no alpha: colour key", pf24bit, true, false, true, 255, true, ULW_COLORKEY, 255, 0, true},
        {"32-bit, per-pixel off: colour key", pf32bit, false, false, true, 255, true, ULW_COLORKEY, 255, 0, true},
        {"24-bit with nothing: not layered", pf24bit, false, false, false, 255, false, 0, 0, 0, false},
    };
    wmtest::RecordingUser32& user32 = wmtest::RecordingUser32::Instance();
    ASSERT_NE(user32.Module(), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PopupWindow window;
        SetWindowLongPtrA(window.Handle(), GWL_EXSTYLE, WS_EX_LAYERED);
        auto bitmap = wmtest::Picture(6, 5, c.format, clWhite, kMagenta);
        bitmap->Canvas()->Pixel(0, 0);  // the bitmap's own context holds it now
        qn::TPerPixelLayeredWindowMaker maker(user32.Module());
        maker.SetPerPixelAlpha(c.perPixel);
        maker.SetAlphaBlend(c.alphaBlend);
        maker.SetAlpha(c.alpha);
        maker.SetColorKeyEnabled(c.colorKey);
        maker.SetColorKey(kMagenta | 0x02000000);
        user32.Reset();
        maker.Apply(window.Handle(), bitmap.get());

        const RecordedLayeredCalls& calls = user32.Calls();
        EXPECT_EQ((ExStyle(window.Handle()) & WS_EX_LAYERED) != 0, c.layered);
        ASSERT_EQ(calls.updateCalls, c.pushed ? 1 : 0);
        if (!c.pushed)
            continue;
        EXPECT_EQ(calls.updateWindow, window.Handle());
        EXPECT_EQ(calls.updateDestination.x, 10);
        EXPECT_EQ(calls.updateDestination.y, 20);
        EXPECT_EQ(calls.updateSize.cx, 6);
        EXPECT_EQ(calls.updateSize.cy, 5);
        EXPECT_EQ(calls.updateKey, static_cast<COLORREF>(kMagenta));
        EXPECT_EQ(calls.updateFlags, c.flags);
        EXPECT_EQ(calls.updateBlend.BlendOp, AC_SRC_OVER);
        EXPECT_EQ(calls.updateBlend.SourceConstantAlpha, c.constantAlpha);
        EXPECT_EQ(calls.updateBlend.AlphaFormat, c.alphaFormat);
        EXPECT_EQ(calls.updateBitsPerPixel, c.format == pf32bit ? 32 : 24);
    }
}

TEST(PerPixelLayeredWindowMaker, WithoutUpdateLayeredWindowNothingHappens)
{
    PopupWindow window;
    auto bitmap = wmtest::Picture(4, 4, pf32bit, clWhite, kMagenta);
    qn::TPerPixelLayeredWindowMaker maker(wmtest::ModuleWithoutLayeredFunctions());
    EXPECT_FALSE(maker.IsEnabled());
    maker.SetPerPixelAlpha(true);
    maker.Apply(window.Handle(), bitmap.get());
    EXPECT_EQ(ExStyle(window.Handle()) & WS_EX_LAYERED, 0);
}

TEST(PerPixelLayeredWindowMaker, RealWindowTakesTheBitmap)
{
    PopupWindow window;
    auto bitmap = wmtest::Picture(30, 40, pf32bit, clWhite, kMagenta);
    qn::PremultiplyAlpha(bitmap.get());
    qn::TPerPixelLayeredWindowMaker maker;
    ASSERT_TRUE(maker.IsEnabled());
    maker.SetPerPixelAlpha(true);
    maker.Apply(window.Handle(), bitmap.get());
    EXPECT_NE(ExStyle(window.Handle()) & WS_EX_LAYERED, 0);
    maker.Remove(window.Handle());
    EXPECT_EQ(ExStyle(window.Handle()) & WS_EX_LAYERED, 0);
}

TEST(PremultiplyAlpha, ScalesColoursByAlpha)
{
    struct Case {
        BYTE in[4];
        BYTE out[4];
    };
    const Case cases[] = {
        {{255, 128, 10, 128}, {128, 64, 5, 128}},
        {{200, 100, 50, 0}, {0, 0, 0, 0}},
        {{200, 100, 50, 255}, {200, 100, 50, 255}},
        {{255, 255, 255, 1}, {1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf32bit);
        bitmap.SetSize(1, 1);
        std::memcpy(bitmap.ScanLine(0), c.in, 4);
        qn::PremultiplyAlpha(&bitmap);
        const auto* out = static_cast<const BYTE*>(bitmap.ScanLine(0));
        EXPECT_EQ(std::vector<BYTE>(out, out + 4), std::vector<BYTE>(c.out, c.out + 4));
    }
    TBitmap opaque;
    opaque.SetPixelFormat(pf24bit);
    opaque.SetSize(1, 1);
    std::memset(opaque.ScanLine(0), 200, 3);
    qn::PremultiplyAlpha(&opaque);
    EXPECT_EQ(static_cast<const BYTE*>(opaque.ScanLine(0))[0], 200);
    qn::PremultiplyAlpha(nullptr);
}
