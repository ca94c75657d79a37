#include "app/forms/TurboInfoForm.h"

#include <algorithm>
#include <cstring>

#include "app/forms/BeTurbo.h"
#include "vessa/skin/PngReader.h"
#include "app/protocol/ZendrixMessages.h"
#include "platform/vcl/Application.h"
#include "turboInfo_Intel/src/gui/widget/LayeredWindow.h"
#include "vessa/fileutl/Source/PathUtility.h"

namespace {

TfrmTurboInfoMain* g_turboInfoWindow = nullptr;

constexpr RECT kDesignedBounds{356, 302, 356 + 228, 302 + 196};
constexpr int kCloseButtonX = 108;
constexpr int kCloseButtonY = 7;
constexpr int kCloseButtonSize = 12;
constexpr int kAnimationX = 5;
constexpr int kAnimationY = 20;
constexpr int kAnimationWidth = 121;
constexpr int kAnimationHeight = 120;

}  // namespace

TfrmTurboInfoMain* GetTurboInfoWindow()
{
    if (g_turboInfoWindow == nullptr)
        Application->CreateForm(g_turboInfoWindow);
    return g_turboInfoWindow;
}

bool LoadStackedPicture(const std::string& topFile, const std::string& bottomFile, TBitmap* picture)
{
    TBitmap top;
    TBitmap bottom;
    top.SetPixelFormat(pf32bit);
    bottom.SetPixelFormat(pf32bit);
    const bool topLoaded = LoadPngFile(topFile, &top, UnreadableFile::Report);
    const bool bottomLoaded = LoadPngFile(bottomFile, &bottom, UnreadableFile::Report);
    picture->SetPixelFormat(pf32bit);
    picture->SetSize(top.Width(), top.Height() + bottom.Height());
    // Row by row: the alpha channel must come along unchanged.
    const size_t topRow = static_cast<size_t>(top.Width()) * 4;
    const size_t bottomRow = static_cast<size_t>(std::min(top.Width(), bottom.Width())) * 4;
    for (int y = 0; y < top.Height(); ++y)
        std::memcpy(picture->ScanLine(y), top.ScanLine(y), topRow);
    for (int y = 0; y < bottom.Height(); ++y) {
        auto* row = static_cast<BYTE*>(picture->ScanLine(top.Height() + y));
        std::memset(row, 0, topRow);
        std::memcpy(row, bottom.ScanLine(y), bottomRow);
    }
    return topLoaded && bottomLoaded;
}

TfrmTurboInfoMain::TfrmTurboInfoMain(TComponent* owner) : TForm(owner)
{
    SetBorderStyle(bsNone);
    SetScaled(false);
    SetCaption(kTurboInfoWindowCaption);
    SetBoundsRect(kDesignedBounds);
    SetClientSize(kDesignedBounds.right - kDesignedBounds.left, kDesignedBounds.bottom - kDesignedBounds.top);
    OnCreate = TNotifyEvent(this, &TfrmTurboInfoMain::FormCreate);
    OnShow = TNotifyEvent(this, &TfrmTurboInfoMain::FormShow);
    OnClose = TCloseEvent(this, &TfrmTurboInfoMain::FormClose);
    OnHide = TNotifyEvent(this, &TfrmTurboInfoMain::FormHide);
}

TfrmTurboInfoMain::~TfrmTurboInfoMain()
{
    if (g_turboInfoWindow == this)
        g_turboInfoWindow = nullptr;
}

void TfrmTurboInfoMain::FormCreate(TObject*)
{
    const std::string folder = vessa::GetProgramFolder() + kTurboInfoBackgroundFolder;

    m_background = new TImage(this);
    m_background->SetParent(this);
    m_background->SetAutoSize(true);
    TBitmap stacked;
    LoadStackedPicture(folder + kTurboInfoBackgroundTop, folder + kTurboInfoBackgroundBottom, &stacked);
    m_background->Picture()->Assign(&stacked);

    // A press on the face drags the window (the maker's drag).
    m_maker.SetPerPixelAlpha(true);
    qn::PremultiplyAlpha(m_background->Picture()->Bitmap());
    m_maker.Attach(m_background);

    m_closeButton.reset(new TTransFlash(Handle(), "close", ProgramMoviePath(kTurboInfoCloseMovieFile)));
    m_closeButton->SetPosition(kCloseButtonX, kCloseButtonY);
    m_closeButton->SetSize(kCloseButtonSize, kCloseButtonSize);
    m_closeButton->SetVisible(false);
    m_closeButton->SetCallback(&TfrmTurboInfoMain::OnCloseButtonCall);

    TBeTurbo::Create(Handle(), kAnimationX, kAnimationY, kAnimationWidth, kAnimationHeight);

    SetClientSize(m_background->Picture()->Bitmap()->Width(), m_background->Picture()->Bitmap()->Height());
}

void WINAPI TfrmTurboInfoMain::OnCloseButtonCall(DWORD_PTR, DWORD_PTR, const wchar_t*, DWORD_PTR)
{
    if (g_turboInfoWindow != nullptr)
        g_turboInfoWindow->Close();
}

void TfrmTurboInfoMain::FormShow(TObject*)
{
    ShowWindow(Application->Handle(), SW_HIDE);
    ShowMovies(true);
}

void TfrmTurboInfoMain::FormClose(TObject*, TCloseAction&)
{
    FormHide(this);
    OnClosed(this);
}

void TfrmTurboInfoMain::FormHide(TObject*)
{
    ShowMovies(false);
}

void TfrmTurboInfoMain::ShowMovies(bool show)
{
    // Once per change: the animation keeps its timer's state across one
    // hide and the show after it.
    if (show == m_moviesShown)
        return;
    m_moviesShown = show;
    if (TBeTurbo* turbo = TBeTurbo::Instance())
        turbo->SetVisible(show);
    if (m_closeButton)
        m_closeButton->SetVisible(show);
}

void TfrmTurboInfoMain::RaiseMovies()
{
    constexpr UINT kRaiseFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (TBeTurbo* turbo = TBeTurbo::Instance())
        SetWindowPos(turbo->Movie().Handle(), HWND_TOP, 0, 0, 0, 0, kRaiseFlags);
    if (m_closeButton)
        SetWindowPos(m_closeButton->Handle(), HWND_TOP, 0, 0, 0, 0, kRaiseFlags);
}

void TfrmTurboInfoMain::SetKavrinEnabled(WPARAM state)
{
    if (TBeTurbo* turbo = TBeTurbo::Instance())
        turbo->SetEnable(state != 0);
}

void TfrmTurboInfoMain::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOVE:
        TTransFlash::FollowAll();
        break;
    case WM_WINDOWPOSCHANGED: {
        // The movies are windows of their own: they hide and show with the
        // window also when it is hidden without the form knowing (the
        // application's minimize) and shown again by its restore.
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(message.LParam)->flags;
        if (flags & SWP_HIDEWINDOW)
            ShowMovies(false);
        // The movies were shown before the window itself: they are above it
        // already, but a display that stacks by showing order needs telling.
        if (flags & SWP_SHOWWINDOW) {
            ShowMovies(true);
            RaiseMovies();
        }
        break;
    }
    case kMsgQuit:
        if (HasSignature(message.WParam)) {
            Close();
            return;
        }
        break;
    case kMsgCoreUnlockToMonitor:
        SetKavrinEnabled(message.WParam);
        return;
    default:
        break;
    }
    TForm::Dispatch(message);
}
