#include "vessa/Graphics/ScreenFormat.h"

#include <windows.h>

namespace vessa {

TPixelFormat PixelFormatForDepth(int bitsPerPixel)
{
    return bitsPerPixel <= 4 ? pf4bit : pf24bit;
}

TPixelFormat ScreenPixelFormat()
{
    HDC screen = GetDC(nullptr);
    int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return PixelFormatForDepth(depth);
}

}  // namespace vessa
