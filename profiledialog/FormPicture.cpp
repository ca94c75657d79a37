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

void BlendOntoBackground(TBitmap* picture, TBitmap* background, int x, int y)
{
    picture->SetPixelFormat(pf32bit);
    background->SetPixelFormat(pf32bit);
    for (int i = 0; i < picture->Height(); ++i) {
        auto* pixel = static_cast<BYTE*>(picture->ScanLine(i));
        const int row = y + i;
        const bool rowInside = row >= 0 && row < background->Height();
        const BYTE* under = rowInside ? static_cast<const BYTE*>(background->ScanLine(row)) : nullptr;
        for (int j = 0; j < picture->Width(); ++j, pixel += 4) {
            const int column = x + j;
            const double a = pixel[3] / 255.0;
            for (int c = 0; c < 3; ++c) {
                const double b =
                    under && column >= 0 && column < background->Width() ? under[column * 4 + c] : pixel[c];
                pixel[c] = static_cast<BYTE>(b * (1 - a) + pixel[c] * a);
            }
            pixel[3] = 0;
        }
    }
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

std::string Text(const char* key)
{
    return vessa::KyMultiLang::Instance().Translate(key);
}

bool IsJapanese()
{
    return vessa::KyMultiLang::Instance().GetLanguage() == vessa::kJapaneseLanguage;
}

}  // namespace dovrel
