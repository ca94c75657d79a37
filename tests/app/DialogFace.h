#pragma once
// What the screen shows of the program's windowless texts (the Dovrel
// dialogs' question, the main window's profile box): the area as drawn,
// compared with the expected text drawn here the same way.

#include <windows.h>

#include <string>
#include <vector>

namespace apptest {

// Screen pixels (0x00RRGGBB), row by row from the top.
struct ScreenPixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;

    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const ScreenPixels& other) const
    {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
    bool operator!=(const ScreenPixels& other) const { return !(*this == other); }
};

// The screen's pixels of `area` (in window coordinates) of `window`.
ScreenPixels CaptureWindowArea(HWND window, const RECT& area);
// `area` of `window` once the screen stopped changing there.
ScreenPixels CaptureSteady(HWND window, const RECT& area);
// Writes `shot` as a 32-bit BMP file (to look at a failure).
bool SaveBitmap(const ScreenPixels& shot, const std::string& path);

// The ask dialog's question as the screen shows it now.
ScreenPixels CaptureAskMessage(HWND dialog);
// The ask dialog's question as the screen shows it, once it stopped changing.
ScreenPixels AskDialogMessage(HWND dialog);
// Whether the ask dialog wears its danger face (the red header).
bool HasDangerFace(HWND dialog);
// The program's text for `key`, in the language the program shows.
std::string ProgramText(const char* key);
// Whether the ask dialog shows `wording` as its question (once drawn). On
// a mismatch both pictures are left in the test folder to look at.
bool AsksWith(HWND dialog, const std::string& wording);
// `text` drawn as the ask dialog draws its question, on the background
// colour of `shown` (the dialog's message area).
ScreenPixels DrawnMessage(const std::string& text, const ScreenPixels& shown);

// How a label draws its text in Arial.
struct TextLooks {
    int fontHeight;  // negative: the character height
    int weight;      // FW_NORMAL, FW_BOLD
    COLORREF colour;
    UINT format;  // of DrawText
    bool centredVertically;
};
// `text` drawn with `looks` over `background`, which shows the label's
// area without its text.
ScreenPixels DrawnText(const std::string& text, const TextLooks& looks, const ScreenPixels& background);

}  // namespace apptest
