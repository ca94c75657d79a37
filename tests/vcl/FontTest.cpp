// The test prefix renders "Arial", the skin's font, with Liberation Sans,
// which has Arial's metrics: texts measure and clip under the tests as on
// Windows. A prefix that falls back to another face (DejaVu Sans is some
// 12% wider) would hide clipping from the layout tests or invent it.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

int Measure(const char* face, int height, int weight, const std::string& text)
{
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

TEST(Fonts, ArialMeasuresAsLiberationSans)
{
    for (const char* text : {"1.15000", "CPU Core Voltage :", "(MHz)", "Level 4 (Extreme)"})
        for (int height : {-11, -12, -13})
            for (int weight : {FW_NORMAL, FW_BOLD}) {
                SCOPED_TRACE(std::string(text) + " " + std::to_string(height) + " " + std::to_string(weight));
                const int arial = Measure("Arial", height, weight, text);
                EXPECT_EQ(Measure("Liberation Sans", height, weight, text), arial);
            }
    // Arial's digits are 7 pixels wide at 12 (DejaVu Sans': 8): "1.15000".
    EXPECT_EQ(45, Measure("Arial", -12, FW_NORMAL, "1.15000"));
}

}  // namespace
