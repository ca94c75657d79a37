#pragma once
// What the read-out tests compare against: the digit pictures read straight
// from the test program's skin folder, and rows of them blended over a plain
// background the way the form paints its windowless children.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/controls/NumberLed.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Form.h"

namespace numberled {

// One digit family as its files lie in the skin folder.
struct Family {
    const char* name;
    const char* folder;  // below the skin folder, with its "\"
    int entries;
    NumberLed* (*make)();
};
extern const Family kLarge, kMiddle, kSmall, kGreen;
const std::vector<const Family*>& AllFamilies();

// The file of entry `entry`: "%02d.png" below 20, then "Point1.png" and
// "Point2.png".
std::string EntryFile(const Family& family, int entry);
// The picture of an entry, read from its file once (32-bit).
TBitmap& EntryPicture(const Family& family, int entry);
// A picture below the skin folder, read once (32-bit).
TBitmap& SkinPicture(const std::string& relative);

// A picture expected at a place of the form.
struct Placed {
    TBitmap* picture;
    int left;
    int top;
};

// The form's client area of `width` × `height` in `background`, with the
// pictures blended over it in order.
std::unique_ptr<TBitmap> Compose(int width, int height, TColor background, const std::vector<Placed>& row);

// "" when `actual` and `expected` agree inside `area`, else where they
// first differ.
std::string Difference(TBitmap& actual, TBitmap& expected, const RECT& area);

// A borderless form of the given size and colour.
TForm* MakeForm(int width, int height, TColor colour);

}  // namespace numberled
