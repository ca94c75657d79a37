#pragma once
// A 24-bit bitmap of one colour, for tests of the drawing and skinned-control
// code (header only: the tests that use it link the form library).

#include <memory>

#include "platform/vcl/Bitmap.h"

namespace zxtest {

inline std::unique_ptr<TBitmap> SolidBitmap(int width, int height, TColor color)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(RECT{0, 0, width, height});
    return bitmap;
}

}  // namespace zxtest
