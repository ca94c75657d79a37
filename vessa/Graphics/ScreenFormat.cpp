#include "vessa/Graphics/ScreenFormat.h"

#include <windows.h>

#include "platform/vcl/GdiGuards.h"

namespace vessa {

TPixelFormat PixelFormatForDepth(int bitsPerPixel)
{
    return bitsPerPixel <= 4 ? pf4bit : pf24bit;
}

TPixelFormat ScreenPixelFormat()
{
    // A context compatible with the screen reports the screen's depth.
    TMeasuringDC screen;
    return PixelFormatForDepth(GetDeviceCaps(screen.Get(), BITSPIXEL));
}

}  // namespace vessa
