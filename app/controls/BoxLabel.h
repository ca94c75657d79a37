#pragma once
// The plain labels of the page widgets' boxes: bold "Arial" text over the
// skin (transparent), vertically centred in a fixed rectangle.

#include <windows.h>

#include "platform/vcl/Colors.h"
#include "platform/vcl/Label.h"

struct BoxLabelStyle {
    int characterHeight;  // pixels, internal leading excluded
    TColor color;
    TAlignment alignment;
};

// A label owned by and placed on `owner` at `bounds`, with an empty text.
TLabel* CreateBoxLabel(TWinControl* owner, const BoxLabelStyle& style, const RECT& bounds);
