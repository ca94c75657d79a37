#include "profiledialog/FormPicture.h"

#include "KyPackage/Source/KyButton.h"
#include "vessa/skin/ResourceFiles.h"
#include "platform/vcl/Form.h"
#include "vessa/System/KyMultiLang.h"

namespace dovrel {

void LoadFormPicture(const std::string& formClass, const std::string& component, TBitmap* bitmap)
{
    LoadPngFile(FormPictureFile(formClass, component), bitmap, UnreadableFile::Raise);
}

void LoadSkin(const std::string& file, TBitmap* bitmap)
{
    LoadPngFile(GetResourceFolder() + file, bitmap, UnreadableFile::Raise);
}

namespace {

constexpr TColor kCloseButtonKey = 0x1F1F1F;

}  // namespace

void LoadCloseButton(KyButtonTx* button, const std::string& formClass)
{
    TBitmap picture;
    dovrel::LoadFormPicture(formClass, "CloseButton.RaisedBmp", &picture);
    button->Appearance()->SetRaisedBmp(&picture);
    dovrel::LoadFormPicture(formClass, "CloseButton.SunkenBmp", &picture);
    button->Appearance()->SetSunkenBmp(&picture);
    dovrel::LoadFormPicture(formClass, "CloseButton.FocusedBmp", &picture);
    button->Appearance()->SetFocusedBmp(&picture);
    button->SetTransparentColor(kCloseButtonKey);
    button->SetTransparent(true);
    button->SetModalResult(mrCancel);
}

std::string Text(const char* key) { return vessa::KyMultiLang::Instance().Translate(key); }

bool IsJapanese() { return vessa::KyMultiLang::Instance().GetLanguage() == vessa::kJapaneseLanguage; }

}  // namespace dovrel
