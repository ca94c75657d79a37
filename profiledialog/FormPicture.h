#pragma once
// The dialog library's pictures and texts. Its skins and form pictures are
// read as ResourceFiles.h finds them; a file that is missing or does not
// decode raises, naming the file, as every skin load of the library does.

#include <string>

#include "platform/vcl/Bitmap.h"

class KyButtonTx;

namespace dovrel {

// Loads the picture that `formClass` carries for `component` into `bitmap`
// at 32 bits per pixel.
void LoadFormPicture(const std::string& formClass, const std::string& component, TBitmap* bitmap);
// Loads the skin Resource\<file> into `bitmap` at 32 bits per pixel.
void LoadSkin(const std::string& file, TBitmap* bitmap);
// Blends the 32-bit `picture` over `background` at (x, y), where its
// control will sit: its colours become the blend (truncated) and its alpha
// 0, so that it shows the picture beneath without drawing with alpha. Past
// the background's edge the picture keeps its own colours.
void BlendOntoBackground(TBitmap* picture, TBitmap* background, int x, int y);

// Gives a form's corner close button the pictures the form carries for it
// ("<formClass>.CloseButton.<State>Bmp"), its transparent colour and the
// Cancel result.
void LoadCloseButton(KyButtonTx* button, const std::string& formClass);

// The text of the English key in the user's language.
std::string Text(const char* key);
// The language's fonts take the Japanese character set.
bool IsJapanese();

}  // namespace dovrel
