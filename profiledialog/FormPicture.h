#pragma once
// Where the dialog library finds its pictures: the program folder's
// "Resource\" for skins, and "Resource\forms\" for the pictures the forms
// carry, one file per component named <FormClass>.<Component>.png.

#include <string>

#include "platform/vcl/Bitmap.h"

class KyButtonTx;

namespace dovrel {

// The program folder (taken from the program's own file name) + "Resource\".
std::string ResourceFolder();

// Loads the form picture <name> from Resource\forms into `bitmap` at 32 bits per pixel. A
// missing file raises, as every skin load does.
void LoadFormPicture(const std::string& name, TBitmap* bitmap);

// Gives a form's corner close button the pictures the form carries for it
// ("<formClass>.CloseButton.<State>Bmp"), its transparent colour and the
// Cancel result.
void LoadCloseButton(KyButtonTx* button, const std::string& formClass);

// The text of the English key in the user's language.
std::string Text(const char* key);
// The language's fonts take the Japanese character set.
bool IsJapanese();

}  // namespace dovrel
