#include "KyPackage/Source/KyTextControl.h"

namespace {

constexpr UINT kSingleLineFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr UINT kWordWrapFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK;

}  // namespace

void KyCaption::Draw(TCanvas* canvas, TFont* font, const std::string& text, COLORREF color)
{
    RECT r = textBounds;
    if (sunkenText) {
        sunkenText = false;
        r.left += dispX;
        r.top += dispY;
    }
    HDC dc = canvas->Handle();
    if (!dc)
        return;
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previous = SelectObject(dc, font->Handle());
    SetTextColor(dc, color);
    ::DrawTextA(dc, text.c_str(), -1, &r, wordWrap ? kWordWrapFormat : kSingleLineFormat);
    SelectObject(dc, previous);
    GdiFlush();
}
