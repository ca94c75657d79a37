#include "profiledialog/ShadowForms.h"

#include "vessa/skin/ResourceFiles.h"

TShadowFormBase::TShadowFormBase(TForm* dialog, const char* pictureName)
    : TForm(dialog),
      Background(new TImage(this)),
      m_dialog(dialog),
      m_pictureName(pictureName),
      m_maker(std::make_unique<qn::TPerPixelLayeredWindowMaker>())
{
    SetBorderStyle(bsNone);
    SetScaled(false);
    Background->SetParent(this);
    Background->SetAutoSize(true);
}

TShadowFormBase::~TShadowFormBase()
{
    m_maker.reset();
}

void TShadowFormBase::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.Style |= WS_POPUP;
    params.ExStyle |= WS_EX_TRANSPARENT;
    // Beside the dialog, not owned by its window: an owned window always
    // lies above its owner, and the shadow would darken the dialog itself.
    HWND dialogOwner = GetWindow(m_dialog->Handle(), GW_OWNER);
    params.WndParent = dialogOwner ? dialogOwner : m_dialog->Handle();
}

void TShadowFormBase::FirstSetup()
{
    TBitmap* picture = Background->Picture()->Bitmap();
    picture->SetPixelFormat(pf32bit);
    m_maker->SetClickThrough(true);
    m_maker->SetAlphaBlend(true);
    m_maker->SetPerPixelAlpha(true);
    LoadShadowPicture(m_pictureName, picture, UnreadableFile::Raise);
    SetClientSize(picture->Width(), picture->Height());
    m_maker->Apply(this, picture);
    FollowDialog();
}

void TShadowFormBase::FollowDialog()
{
    SetBounds(m_dialog->Left(), m_dialog->Top(), Width(), Height());
    if (HandleAllocated() && m_dialog->HandleAllocated())
        SetWindowPos(Handle(), m_dialog->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TProfileShadowForm::TProfileShadowForm(TForm* profileDialog)
    : TShadowFormBase(profileDialog, "save_profile_shadow01.png")
{
}

TDialogCover::TDialogCover(TForm* askDialog) : TShadowFormBase(askDialog, "shadow_01.png") {}
