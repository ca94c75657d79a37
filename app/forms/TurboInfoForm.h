#pragma once
// The core-unlock monitor window ("Turbo Info Main"): a small borderless
// per-pixel-alpha window whose face is the stacked background picture, with
// the animation (TBeTurbo) and a close button as movies over it. Closing
// only hides it; it lives until the process ends.

#include <windows.h>

#include <memory>

#include "app/forms/TransFlash.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"
#include "turboInfo_Intel/src/gui/widget/TShapedForm.h"

constexpr char kTurboInfoBackgroundFolder[] = "res\\big_bg\\";  // below the program folder
constexpr char kTurboInfoBackgroundTop[] = "big_bg_top.png";
constexpr char kTurboInfoBackgroundBottom[] = "big_bg_down.png";
constexpr char kTurboInfoCloseMovieFile[] = "res\\flash\\c.swf";  // below the program folder

class TfrmTurboInfoMain : public TForm {
public:
    explicit TfrmTurboInfoMain(TComponent* owner);
    ~TfrmTurboInfoMain() override;

    // Called after every close (its close button, Alt+F4, WM_CLOSE, the
    // quit signature), which only hides the window.
    TNotifyEvent OnClosed;

    // The animation's switch follows the core-unlock state.
    void SetKavrinEnabled(WPARAM state);

    TImage* Background() const { return m_background; }
    TTransFlash* CloseButton() const { return m_closeButton.get(); }

    void Dispatch(TMessage& message) override;

private:
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void FormHide(TObject* sender);
    void RaiseMovies();
    // The animation and the close button, shown or hidden together.
    void ShowMovies(bool show);
    static void WINAPI OnCloseButtonCall(DWORD_PTR reserved1, DWORD_PTR reserved2, const wchar_t* text,
                                         DWORD_PTR reserved4);

    qn::TPerPixelLayeredFormMaker m_maker;
    TImage* m_background = nullptr;
    std::unique_ptr<TTransFlash> m_closeButton;
    bool m_moviesShown = false;
};

// The monitor window, created through the application on the first call.
TfrmTurboInfoMain* GetTurboInfoWindow();

// The two background halves, the bottom one below the top one, as one
// 32-bit picture (the top one's width). False when a half did not load; a
// missing or undecodable half is reported (UnreadableFile::Report) and
// counts as empty.
bool LoadStackedPicture(const std::string& topFile, const std::string& bottomFile, TBitmap* picture);
