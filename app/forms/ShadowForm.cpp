#include "app/forms/ShadowForm.h"

#include "vessa/skin/ResourceFiles.h"
#include "app/protocol/ZendrixMessages.h"
#include "platform/vcl/Application.h"

TShadowForm* ShadowForm = nullptr;

TShadowForm::TShadowForm(TComponent* owner) : TForm(owner), m_maker(std::make_unique<qn::TPerPixelLayeredWindowMaker>())
{
    SetBorderStyle(bsNone);
    SetScaled(false);
    SetCaption(kShadowWindowCaption);
    Background = new TImage(this);
    Background->SetName("Background");
    Background->SetParent(this);
    Background->SetAutoSize(true);
    Background->Picture()->Bitmap()->SetPixelFormat(pf32bit);

    // The alpha comes from each pixel; the constant alpha stays 255.
    m_maker->SetClickThrough(true);
    m_maker->SetAlphaBlend(true);
    m_maker->SetPerPixelAlpha(true);

    // Start-up shows only the small shadow: the large ones are decoded when
    // first shown. A missing large one is still reported now, so that
    // start-up refuses to run without it.
    m_small = std::make_unique<TBitmap>();
    LoadShadowPicture(kSmallShadowPicture, m_small.get(), UnreadableFile::Report);
    if (GetFileAttributesA((GetResourceFolder() + kBigShadowPicture).c_str()) == INVALID_FILE_ATTRIBUTES)
        LoadBig();
    // The size it will have at its first placement, rather than the form
    // library's default, should it be shown before.
    SetClientSize(m_small->Width(), m_small->Height());
}

TShadowForm::~TShadowForm()
{
    m_maker.reset();
}

void TShadowForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.Style |= WS_POPUP;
    // A window manager keeps every window it does not manage above the ones
    // it does, and it manages the main window: left to itself the shadow
    // would lie over the main window's face. A system menu (never shown: a
    // captionless window that is never active offers none) makes it a
    // window the manager stacks beneath the main window like any other.
    params.Style |= WS_SYSMENU;
    // Layered and click-through from the start: shown before its first
    // picture arrives (a hand-off during start-up), it is then invisible
    // rather than a black rectangle that takes the clicks. Never active: a
    // window manager that hands it the focus as it maps gets the main
    // window's back.
    params.ExStyle |= WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;
}

void TShadowForm::ShowHandle(bool visible)
{
    if (!visible) {
        TForm::ShowHandle(false);
        return;
    }
    DoShow();
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    BringToFront();
}

void TShadowForm::BringToFront()
{
    TCustomForm* mainForm = Application->MainForm();
    if (mainForm != nullptr && mainForm != this && mainForm->HandleAllocated())
        StayBelow(mainForm->Handle());
}

void TShadowForm::StayBelow(HWND window)
{
    if (!HandleAllocated() || window == nullptr)
        return;
    SetWindowPos(Handle(), window, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TShadowForm::ShowSmall()
{
    ShowPicture(m_small.get());
}

void TShadowForm::LoadBig()
{
    m_big = std::make_unique<TBitmap>();
    LoadShadowPicture(kBigShadowPicture, m_big.get(), UnreadableFile::Report);
}

void TShadowForm::ShowBig()
{
    if (!m_big)
        LoadBig();
    ShowPicture(m_big.get());
}

void TShadowForm::ShowBig3()
{
    if (!m_big3) {
        m_big3 = std::make_unique<TBitmap>();
        LoadShadowPicture(kBigShadow3Picture, m_big3.get(), UnreadableFile::Report);
    }
    ShowPicture(m_big3.get());
}

void TShadowForm::ShowPicture(TBitmap* picture)
{
    TBitmap* face = Background->Picture()->Bitmap();
    face->Assign(picture);
    Background->SetBounds(0, 0, picture->Width(), picture->Height());
    SetClientSize(picture->Width(), picture->Height());
    // The window must exist: the picture is pushed to it, not painted.
    HandleNeeded();
    m_maker->Apply(this, face);
}

void TShadowForm::PlaceAtStart()
{
    ShowSmall();
    TCustomForm* mainForm = Application->MainForm();
    if (mainForm != nullptr && mainForm != this)
        SetBounds(mainForm->Left(), mainForm->Top(), Width(), Height());
}
