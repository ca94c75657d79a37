#pragma once
// The pixel format of the bitmaps that the LED stack draws through: 4 bits
// per pixel on a screen of 16 colours or fewer, else 24 bits per pixel.

#include "platform/vcl/Bitmap.h"

namespace vessa {

// The format for a screen of `bitsPerPixel`.
TPixelFormat PixelFormatForDepth(int bitsPerPixel);

// The format for the screen this process draws on.
TPixelFormat ScreenPixelFormat();

}  // namespace vessa
