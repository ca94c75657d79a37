#include "vessa/Graphics/Graphicutility.h"

namespace vessa {

void CopyBitmapRect(TCanvas* canvas, int x, int y, TBitmap* bitmap, const RECT& source)
{
    if (canvas == nullptr || bitmap == nullptr)
        return;
    DWORD previous = canvas->CopyMode();
    canvas->SetCopyMode(SRCCOPY);
    RECT destination{x, y, x + RectWidth(source), y + RectHeight(source)};
    canvas->CopyRect(destination, bitmap->Canvas(), source);
    canvas->SetCopyMode(previous);
}

}  // namespace vessa
