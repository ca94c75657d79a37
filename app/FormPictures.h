#pragma once
// The pictures a form carries in its image components. They ship as PNG
// files in the program folder's Resource\forms, each named after the form's
// class and the component, joined by a dot, and are read into the images
// when the form is built.

#include <string>

#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"

constexpr char kFormPictureFolder[] = "Resource\\forms\\";

// The file of `component`'s picture on `form`.
std::string FormPictureFile(const TCustomForm* form, const std::string& component);

// Reads the picture of `image` (named `component` on `form`) as a 32-bit
// bitmap. A missing or undecodable file leaves the picture empty and is
// reported to the debugger output: the window then lacks that skin, but the
// program stays reachable from the tray.
void LoadFormPicture(const TCustomForm* form, TImage* image, const std::string& component);
