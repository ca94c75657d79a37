#include "profiledialog/AskDialog.h"

#include "platform/vcl/Application.h"
#include "profiledialog/DovrelForms.h"
#include "profiledialog/FormPicture.h"
#include "profiledialog/ProfileDialog.h"
#include "profiledialog/ShadowForms.h"
#include "vessa/System/KyMultiLang.h"

namespace {

TImage* MakeImage(TForm* form, int left, int top)
{
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetLeft(left);
    image->SetTop(top);
    image->SetAutoSize(true);
    return image;
}

}  // namespace

TAskDialog::TAskDialog(TComponent* owner)
    : TForm(owner),
      Background(MakeImage(this, 0, 0)),
      Message(new TLabel(this)),
      WarnDialogBk(MakeImage(this, 0, 0)),
      CloseButton(new KyButtonTx(this)),
      m_shape(this, Background)
{
    SetBorderStyle(bsNone);
    SetScaled(false);
    SetCaption("AskDialog");
    SetClientSize(kWidth, kHeight);
    dovrel::LoadFormPicture("TAskDialog", "Background", Background->Picture()->Bitmap());
    dovrel::LoadFormPicture("TAskDialog", "WarnDialogBk", WarnDialogBk->Picture()->Bitmap());
    WarnDialogBk->SetVisible(false);

    Message->SetParent(this);
    Message->SetAutoSize(false);
    Message->SetBounds(32, 64, 209, 65);
    Message->Font()->SetName("Arial");
    Message->Font()->SetHeight(-12);
    Message->Font()->SetColor(0xCCCCCC);
    Message->SetTransparent(true);
    Message->SetWordWrap(true);

    CloseButton->SetParent(this);
    dovrel::LoadCloseButton(CloseButton, "TAskDialog");
    CloseButton->SetBounds(217, 8, 45, 20);

    OnShow = TNotifyEvent(this, &TAskDialog::FormShow);
    m_shape.Apply();
    m_flicker.Attach(this);
    if (dovrel::IsJapanese())
        Message->Font()->SetCharset(vessa::kJapaneseCharSet);
}

void TAskDialog::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    // Owned by the host's main window, so the dialog stays above it.
    if (Application && Application->MainForm() && Application->MainForm() != this)
        params.WndParent = Application->MainForm()->Handle();
}

void TAskDialog::Dispatch(TMessage& message)
{
    TForm::Dispatch(message);
    if (message.Msg == WM_MOVE && DialogCover)
        DialogCover->SetBounds(Left(), Top(), DialogCover->Width(), DialogCover->Height());
}

void TAskDialog::FormShow(TObject*)
{
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TAskDialog::SetAnswerButtons(KyButtonTx* yes, KyButtonTx* no, KyButtonTx* ok)
{
    m_yes = yes;
    m_no = no;
    m_ok = ok;
}

void TAskDialog::ShowQuestionButtons(bool question)
{
    if (m_yes)
        m_yes->SetVisible(question);
    if (m_no)
        m_no->SetVisible(question);
    if (m_ok)
        m_ok->SetVisible(!question);
}

POINT CenteredOrigin(const RECT& outer, SIZE inner)
{
    const int outerWidth = outer.right - outer.left;
    const int outerHeight = outer.bottom - outer.top;
    // Integer division rounds toward zero, negative differences included.
    return POINT{outer.left + (outerWidth - inner.cx) / 2, outer.top + (outerHeight - inner.cy) / 2};
}

TModalResult TAskDialog::AskCentered(const std::string& text)
{
    Message->SetCaption(text);
    if (ProfileDialog) {
        POINT origin = CenteredOrigin(ProfileDialog->BoundsRect(), SIZE{Width(), Height()});
        SetBounds(origin.x, origin.y, Width(), Height());
    }
    ShowQuestionButtons(true);
    return ShowModal();
}
