#include "profiledialog/ProfileDialog.h"

#include "profiledialog/Director.h"
#include "profiledialog/DovrelForms.h"
#include "profiledialog/FormPicture.h"
#include "profiledialog/ShadowForms.h"

namespace {

constexpr TColor kFieldColor = 0x28241C;
constexpr TColor kFieldTextColor = 0xCCCCCC;

TImage* MakeImage(TForm* form, const char* component, int left, int top, TImage* background = nullptr)
{
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetLeft(left);
    image->SetTop(top);
    image->SetAutoSize(true);
    TBitmap* picture = image->Picture()->Bitmap();
    dovrel::LoadFormPicture("TProfileDialog", component, picture);
    // The icon and the bottom strip have transparent pixels: they show the
    // face beneath, not black.
    if (background != nullptr)
        dovrel::BlendOntoBackground(picture, background->Picture()->Bitmap(), left, top);
    return image;
}

void StyleField(TWinControl* field)
{
    field->SetColor(kFieldColor);
    field->Font()->SetName("MS Sans Serif");
    field->Font()->SetHeight(-11);
    field->Font()->SetColor(kFieldTextColor);
}

}  // namespace

TProfileDialog::TProfileDialog(TComponent* owner)
    : TForm(owner),
      Background(MakeImage(this, "Background", 0, 0)),
      Image1(MakeImage(this, "Image1", 24, 104, Background)),
      Image2(MakeImage(this, "Image2", 13, 244, Background)),
      CloseButton(new KyButtonTx(this)),
      ProfileNameEdit(new TEdit(this)),
      ProfileNameList(new TListBox(this)),
      m_shape(this, Background)
{
    SetBorderStyle(bsNone);
    SetScaled(false);
    SetPosition(poScreenCenter);
    SetCaption("Save Profile");
    SetClientSize(kWidth, kHeight);

    CloseButton->SetParent(this);
    dovrel::LoadCloseButton(CloseButton, "TProfileDialog");
    CloseButton->SetBounds(376, 10, 45, 20);

    ProfileNameEdit->SetParent(this);
    ProfileNameEdit->SetBounds(104, 65, 172, 16);
    ProfileNameEdit->SetMaxLength(kMaxNameLength);
    ProfileNameEdit->SetBorderStyle(bsNoBorder);
    StyleField(ProfileNameEdit);

    ProfileNameList->SetParent(this);
    ProfileNameList->SetBorderStyle(bsNoBorder);
    ProfileNameList->SetBounds(102, 102, 176, 83);
    ProfileNameList->SetItemHeight(13);
    StyleField(ProfileNameList);

    OnClose = TCloseEvent(this, &TProfileDialog::FormClose);
    m_shape.Apply();
    m_flicker.Attach(this);
}

void TProfileDialog::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.Style |= WS_POPUP;
    params.ExStyle |= WS_EX_TOPMOST;
}

void TProfileDialog::Dispatch(TMessage& message)
{
    TForm::Dispatch(message);
    if (message.Msg == WM_MOVE && ProfileShadowForm)
        ProfileShadowForm->FollowDialog();
}

void TProfileDialog::FormClose(TObject*, TCloseAction&)
{
    if (ProfileShadowForm)
        ProfileShadowForm->Hide();
}

void TProfileDialog::Setup()
{
    Director& director = Director::Instance();
    director.Build(this);
    director.Wire(this);
}
