#pragma once
// The pictures a form of the program carries in its image components (see
// FormPictureFile), read into the images when the form is built.

#include <string>

#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"

// Reads the picture of `image` (named `component` on `form`) as a 32-bit
// bitmap. A missing or undecodable file leaves the picture empty and is
// reported (UnreadableFile::Report): start-up then ends with a message that
// names it.
void LoadFormPicture(const TCustomForm* form, TImage* image, const std::string& component);
