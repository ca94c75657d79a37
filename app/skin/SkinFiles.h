#pragma once
// Where the main window's control skins live, and how a semi-transparent
// skin is pre-blended over the window's background picture at the control's
// own position, so that the control can show an opaque picture.
//
// Skin name lists come in state order: normal, pressed, mouse-over,
// unavailable (files base + "_n.png", "_d.png", "_o.png", "_un.png"); check
// boxes and radio buttons take four names for the unchecked state followed
// by four for the checked state. A null or empty name leaves its state as
// it is.

#include <windows.h>

#include <string>

#include "KyPackage/Source/KyAppearance.h"
#include "vessa/skin/ResourceFiles.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/WinControl.h"

// The form the main window's controls are built on: their owner and
// parent, the pictures beneath them and the folder of their skins.
struct SkinHost {
    TWinControl* form = nullptr;
    TImage* background = nullptr;  // the window face
    TImage* middle = nullptr;      // MiddleBk
    TImage* core = nullptr;        // CoreBk, a picture placed inside the window
    std::string folder;            // with its trailing backslash
};

// The host set last, else one without a window or pictures that reads the
// resource folder. The main window's page layout sets the main form's.
const SkinHost& TheSkinHost();
// Builds on `host` from now on; null returns to no window.
void SetSkinHost(const SkinHost* host);

// `result` becomes an opaque picture of `skin` drawn with its own alpha over
// `background` (made 32-bit), its top-left corner at `at` of the background:
// out = background × (1 − A/255) + skin × A/255, truncated. Parts of the
// skin outside the background are drawn over black. The picture is 24-bit,
// or 32-bit with alpha 0 when `format` says so.
void BlendOverPicture(TBitmap* skin, TBitmap* background, POINT at, TBitmap* result, TPixelFormat format = pf24bit);

// Reads `file` (relative to the host's skin folder) into `bitmap`,
// pre-blended over the host's Background, MiddleBk or CoreBk picture at
// (x, y) of the main window. A missing or unreadable file leaves `bitmap`
// as it was and gives false.
bool LoadSkinOverBackground(const char* file, TBitmap* bitmap, int x, int y);
bool LoadSkinOverMiddle(const char* file, TBitmap* bitmap, int x, int y);
bool LoadSkinOverCore(const char* file, TBitmap* bitmap, int x, int y);
// The same over CoreBk with the skin greyed and faded first: the look of a
// control that cannot be used, for skins that come without an unavailable
// picture.
bool LoadGreyedSkinOverCore(const char* file, TBitmap* bitmap, int x, int y);

// Pre-blends the four named skins into the appearance's raised (normal),
// sunken (pressed), focused (over) and disabled (unavailable) images.
void LoadFourStateAppearance(KyFourStateAppearance* appearance, int x, int y, const char* normal, const char* pressed,
                             const char* over, const char* unavailable);
void LoadFourStateAppearanceOverMiddle(KyFourStateAppearance* appearance, int x, int y, const char* normal,
                                       const char* pressed, const char* over, const char* unavailable);
void LoadFourStateAppearanceOverCore(KyFourStateAppearance* appearance, int x, int y, const char* normal,
                                     const char* pressed, const char* over, const char* unavailable);

// Makes `bitmap` 32-bit and reads the skin `file` of the host's folder
// into it. A missing or undecodable file gives false and is reported
// (UnreadableFile::Report); the bitmap is then left as it was.
bool ReadSkinFile(const std::string& file, TBitmap* bitmap);
