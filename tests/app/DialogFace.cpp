#include "DialogFace.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>

#include "RunningProgram.h"
#include "TestPaths.h"
#include "vessa/System/KyMultiLang.h"

namespace apptest {

namespace {

// The ask dialog's question label: its place and looks.
constexpr RECT kMessageArea{32, 64, 32 + 209, 64 + 65};
constexpr TextLooks kMessageLooks{-12, FW_NORMAL, RGB(0xCC, 0xCC, 0xCC), DT_EXPANDTABS | DT_WORDBREAK | DT_LEFT, false};
// The header strip above the question.
constexpr RECT kHeaderArea{60, 4, 220, 30};

// A top-down 32-bit DIB section selected into a memory DC.
class DibCanvas {
public:
    DibCanvas(int width, int height) : m_width(width), m_height(height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~DibCanvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Dc() const { return m_dc; }
    // Takes `picture` (of the canvas' size) as the canvas' pixels.
    void Load(const ScreenPixels& picture)
    {
        GdiFlush();
        if (m_bits != nullptr && picture.width == m_width && picture.height == m_height)
            std::memcpy(m_bits, picture.pixels.data(), picture.pixels.size() * sizeof(DWORD));
    }
    ScreenPixels Pixels() const
    {
        GdiFlush();
        ScreenPixels shot;
        shot.width = m_width;
        shot.height = m_height;
        shot.pixels.resize(static_cast<size_t>(m_width) * m_height);
        if (m_bits != nullptr)
            std::memcpy(shot.pixels.data(), m_bits, shot.pixels.size() * sizeof(DWORD));
        for (DWORD& pixel : shot.pixels)
            pixel &= 0x00FFFFFF;
        return shot;
    }

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    void* m_bits = nullptr;
};

DWORD MostCommon(const ScreenPixels& shot)
{
    std::map<DWORD, int> counts;
    DWORD best = 0;
    int bestCount = 0;
    for (DWORD pixel : shot.pixels)
        if (++counts[pixel] > bestCount)
            best = pixel, bestCount = counts[pixel];
    return best;
}

}  // namespace

ScreenPixels CaptureWindowArea(HWND window, const RECT& area)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    DibCanvas canvas(area.right - area.left, area.bottom - area.top);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.Dc(), 0, 0, area.right - area.left, area.bottom - area.top, screen, bounds.left + area.left,
           bounds.top + area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.Pixels();
}

bool SaveBitmap(const ScreenPixels& shot, const std::string& path)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = shot.width;
    header.biHeight = -shot.height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const DWORD bytes = static_cast<DWORD>(shot.pixels.size() * sizeof(DWORD));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + bytes;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(shot.pixels.data()), bytes);
    return static_cast<bool>(out);
}

ScreenPixels CaptureAskMessage(HWND dialog)
{
    return CaptureWindowArea(dialog, kMessageArea);
}

ScreenPixels CaptureSteady(HWND window, const RECT& area)
{
    // A window paints after it shows: take it once two looks agree.
    ScreenPixels shot = CaptureWindowArea(window, area);
    WaitFor([&] {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
        Sleep(100);
        ScreenPixels again = CaptureWindowArea(window, area);
        const bool same = again == shot;
        shot = again;
        return same;
    });
    return shot;
}

ScreenPixels AskDialogMessage(HWND dialog)
{
    return CaptureSteady(dialog, kMessageArea);
}

bool HasDangerFace(HWND dialog)
{
    const ScreenPixels header = CaptureWindowArea(dialog, kHeaderArea);
    long long red = 0;
    long long blue = 0;
    for (DWORD pixel : header.pixels) {
        red += (pixel >> 16) & 0xFF;
        blue += pixel & 0xFF;
    }
    return red > 2 * blue;
}

ScreenPixels DrawnMessage(const std::string& text, const ScreenPixels& shown)
{
    ScreenPixels plain = shown;
    std::fill(plain.pixels.begin(), plain.pixels.end(), MostCommon(shown));
    return DrawnText(text, kMessageLooks, plain);
}

ScreenPixels DrawnText(const std::string& text, const TextLooks& looks, const ScreenPixels& background)
{
    DibCanvas canvas(background.width, background.height);
    canvas.Load(background);
    HFONT font = CreateFontA(looks.fontHeight, 0, 0, 0, looks.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    HGDIOBJ old = SelectObject(canvas.Dc(), font);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    SetTextColor(canvas.Dc(), looks.colour);
    RECT box{0, 0, background.width, background.height};
    if (looks.centredVertically) {
        RECT measured = box;
        DrawTextA(canvas.Dc(), text.c_str(), static_cast<int>(text.size()), &measured, looks.format | DT_CALCRECT);
        OffsetRect(&box, 0, (box.bottom - measured.bottom) / 2);
    }
    DrawTextA(canvas.Dc(), text.c_str(), static_cast<int>(text.size()), &box, looks.format);
    SelectObject(canvas.Dc(), old);
    DeleteObject(font);
    return canvas.Pixels();
}

std::string ProgramText(const char* key)
{
    static vessa::KyMultiLang texts(zxtest::DistDir() + "\\", &GetSystemDefaultLangID);
    return texts.Translate(key);
}

bool AsksWith(HWND dialog, const std::string& wording)
{
    const ScreenPixels shown = AskDialogMessage(dialog);
    const ScreenPixels expected = DrawnMessage(wording, shown);
    if (shown == expected && expected != DrawnMessage("", shown))
        return true;
    SaveBitmap(shown, zxtest::JoinPath(zxtest::TestDir(), "question-shown.bmp"));
    SaveBitmap(expected, zxtest::JoinPath(zxtest::TestDir(), "question-expected.bmp"));
    return false;
}

}  // namespace apptest
