#pragma once
// The soft drop shadow around the main window: a borderless popup blended
// with the desktop pixel by pixel and never hit by the mouse. Its top-left
// corner is the main window's; the main window moves it along and keeps it
// directly beneath itself, and the controller shows and hides both together.
//
// The shadow pictures are filled under the window's whole face, so the
// shadow must lie below the main window: owned by it, the system would keep
// it above and veil the window. It belongs to the application window
// instead, which also keeps it off the taskbar.

#include <memory>
#include <string>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"
#include "turboInfo_Intel/src/gui/widget/LayeredWindow.h"

// Shadow pictures (ResourceFiles.h), below the program folder's "Resource\".
constexpr char kSmallShadowPicture[] = "small_shadow002.png";  // collapsed layout
constexpr char kBigShadowPicture[] = "big_shadow002.png";      // expanded layouts
constexpr char kBigShadow3Picture[] = "big_shadow003.png";     // read on first use

class TShadowForm : public TForm {
public:
    explicit TShadowForm(TComponent* owner);
    ~TShadowForm() override;

    TImage* Background;

    void ShowSmall();
    void ShowBig();
    void ShowBig3();
    // Small shadow, at the main form's top-left corner.
    void PlaceAtStart();
    // Directly beneath `window` in the z-order, without activating.
    void StayBelow(HWND window);
    // A shadow never comes to the front: it goes beneath the main form.
    void BringToFront() override;

protected:
    void CreateParams(TCreateParams& params) override;
    // Shown without taking the activation from the main window.
    void ShowHandle(bool visible) override;

private:
    void ShowPicture(TBitmap* picture);
    void LoadBig();

    std::unique_ptr<qn::TPerPixelLayeredWindowMaker> m_maker;
    std::unique_ptr<TBitmap> m_small;
    std::unique_ptr<TBitmap> m_big;
    std::unique_ptr<TBitmap> m_big3;
};

// The program's shadow form, set when the application creates it.
extern TShadowForm* ShadowForm;
