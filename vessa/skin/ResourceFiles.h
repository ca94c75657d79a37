#pragma once
// The skin files in the program folder's "Resource\" folder, as Zendrix and
// Dovrel both find and read them: the folder, the naming of the pictures
// the forms carry, and the drop-shadow pictures. Each caller says with
// UnreadableFile what a missing or broken file means to it.

#include <string>

#include "vessa/skin/PngReader.h"
#include "platform/vcl/Bitmap.h"

constexpr char kResourceFolderName[] = "Resource\\";  // below the program folder
constexpr char kFormPictureFolder[] = "forms\\";      // below the resource folder

// The program folder's "Resource\" folder, with its trailing backslash.
std::string GetResourceFolder();

// The picture that the form class `formClass` carries for `component`:
// Resource\forms\<formClass>.<component>.png.
std::string FormPictureFile(const std::string& formClass, const std::string& component);

// Reads the drop-shadow picture Resource\<name> into `bitmap` (32 bits) and
// blackens it (BlackenShadow). An unreadable file is handled as `policy`
// says and leaves the bitmap as it was.
bool LoadShadowPicture(const std::string& name, TBitmap* bitmap, UnreadableFile policy);

// Every pixel that is not fully transparent becomes black with its alpha
// kept: the pictures give a shadow's shape and depth, not its colour.
void BlackenShadow(TBitmap* bitmap);
