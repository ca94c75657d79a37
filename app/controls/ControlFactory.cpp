#include "app/controls/ControlFactory.h"

#include "app/skin/SkinFiles.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "turboInfo_Intel/BiosInterface.h"
#include "vessa/System/KyMultiLang.h"

namespace {

constexpr DWORD kExpertOptionItems[] = {0x03080018, 0x030800B4};
constexpr char kCheckBoxFont[] = "Arial";

const char* OrEmpty(const char* name)
{
    return name != nullptr ? name : "";
}

// Owned by and placed on the host form.
template <class Control>
Control* NewOnHost()
{
    TWinControl* form = TheSkinHost().form;
    auto* control = new Control(form);
    control->SetParent(form);
    return control;
}

void Dress(TControl* control, const char* hint, bool handCursor)
{
    if (hint != nullptr) {
        control->SetHint(hint);
        control->SetShowHint(true);
    }
    if (handCursor)
        control->SetCursor(crHandPoint);
    control->SetVisible(true);
}

void PlaceButton(AlphaButton* button, int x, int y, const char* caption, const char* hint, bool handCursor)
{
    // One move: each move re-blends the button's pictures at its place.
    button->SetBounds(x, y, button->Width(), button->Height());
    if (caption != nullptr)
        button->SetText(caption);
    Dress(button, hint, handCursor);
    if (IsJapaneseLanguage())
        button->Font()->SetCharset(vessa::kJapaneseCharSet);
}

// Unchecked pictures from names 0-3, checked from 4-7.
template <class Appearance, class Load>
void LoadCheckStates(Appearance* appearance, int x, int y, const char* const names[8], Load load)
{
    load(appearance->Uncheck(), x, y, names[0], names[1], names[2], names[3]);
    load(appearance->Check(), x, y, names[4], names[5], names[6], names[7]);
}

using AppearanceLoader = void (*)(KyFourStateAppearance*, int, int, const char*, const char*, const char*, const char*);

template <class Box>
void MakeCaptionedBox(Box*& box, int x, int y, const char* const names[8], const char* hint, bool handCursor,
                      AppearanceLoader load = LoadFourStateAppearance)
{
    box = NewOnHost<Box>();
    LoadCheckStates(box->Appearance(), x, y, names, load);
    Dress(box, hint, handCursor);
    box->Font()->SetName(kCheckBoxFont);
    box->SetLeft(x);
    box->SetTop(y);
}

}  // namespace

bool IsJapaneseLanguage()
{
    return vessa::KyMultiLang::Instance().GetLanguage() == vessa::kJapaneseLanguage;
}

bool IsGermanLanguage()
{
    return vessa::KyMultiLang::Instance().GetLanguage() == vessa::kGermanLanguage;
}

void CreateAlphaButton(AlphaButton*& button, int x, int y, const char* const names[4], const char* caption,
                       const char* hint, bool handCursor)
{
    button = NewOnHost<AlphaButton>();
    button->LoadImages(OrEmpty(names[0]), OrEmpty(names[1]), OrEmpty(names[2]), OrEmpty(names[3]));
    PlaceButton(button, x, y, caption, hint, handCursor);
}

void CreateCoreAlphaButton(AlphaButton*& button, int x, int y, const char* const names[4], const char* caption,
                           const char* hint, bool handCursor)
{
    button = NewOnHost<AlphaButton>();
    // No pictures of its own: its moves keep the CoreBk blend.
    LoadFourStateAppearanceOverCore(button->Appearance(), x, y, names[0], names[1], names[2], names[3]);
    PlaceButton(button, x, y, caption, hint, handCursor);
}

void CreateCheckBoxTx(KyCheckBoxTx*& box, int x, int y, const char* const names[8], const char* hint, bool handCursor)
{
    MakeCaptionedBox(box, x, y, names, hint, handCursor);
}

void CreateRadioButtonTx(KyRadioButtonTx*& button, int x, int y, const char* const names[8], const char* hint,
                         bool handCursor)
{
    MakeCaptionedBox(button, x, y, names, hint, handCursor);
}

void CreateMiddleCheckBoxTx(KyCheckBoxTx*& box, int x, int y, const char* const names[8], const char* hint,
                            bool handCursor)
{
    MakeCaptionedBox(box, x, y, names, hint, handCursor, LoadFourStateAppearanceOverMiddle);
}

void CreateMiddleRadioButtonTx(KyRadioButtonTx*& button, int x, int y, const char* const names[8], const char* hint,
                               bool handCursor)
{
    MakeCaptionedBox(button, x, y, names, hint, handCursor, LoadFourStateAppearanceOverMiddle);
}

void CreateCoreRadioButton(KyRadioButton*& button, int x, int y, const char* const names[8], const char* hint,
                           bool handCursor)
{
    button = NewOnHost<KyRadioButton>();
    LoadCheckStates(button->Appearance(), x, y, names, LoadFourStateAppearanceOverCore);
    Dress(button, hint, handCursor);
    button->SetLeft(x);
    button->SetTop(y);
}

KyImage* CreateKyImage(TWinControl* owner, int x, int y, const char* file)
{
    auto* image = new KyImage(owner);
    image->SetParent(owner);
    TBitmap picture;
    if (file != nullptr && file[0] != '\0' && ReadSkinFile(file, &picture))
        image->Picture()->TakeBitmap(&picture);
    image->SetAlphaChannel(true);
    image->SetAutoSize(true);
    image->SetLeft(x);
    image->SetTop(y);
    return image;
}

bool HasExpertOptionItems()
{
    for (DWORD id : kExpertOptionItems) {
        if (!IsItemPresent(id))
            return false;
    }
    return true;
}

bool IsDramGroupEmpty()
{
    static const bool empty = [] {
        const KyOcPrimaryItemSet& set = KyOcPrimaryItemSet::GetInstance();
        for (int position = KyOcPrimaryItemSet::kFirstFreePosition; position < set.GetItemCount(); ++position) {
            BiosItemA* item = set.GetItem(position);
            if (item != nullptr && IsDramItem(item->GetId()))
                return false;
        }
        return true;
    }();
    return empty;
}
