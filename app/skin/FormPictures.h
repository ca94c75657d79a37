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

// For a picture that start-up does not show: checks that its file opens and
// begins as a PNG picture (reported as LoadFormPicture reports) and gives
// `image` the picture's size from that header alone, its picture left empty
// until LoadFormPictureOnce reads it.
void SizeFormPicture(const TCustomForm* form, TImage* image, const std::string& component);
// LoadFormPicture, unless `image` holds its picture already.
void LoadFormPictureOnce(const TCustomForm* form, TImage* image, const std::string& component);
