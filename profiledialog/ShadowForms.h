#pragma once
// The library's two shadow windows: per-pixel layered, click-through popups
// drawn from a black-with-alpha picture and kept at their dialog's top-left
// corner. TProfileShadowForm follows the Save Profile dialog; TDialogCover
// follows the ask dialog.

#include <memory>
#include <string>

#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"
#include "turboInfo_Intel/src/gui/widget/LayeredWindow.h"

class TShadowFormBase : public TForm {
public:
    ~TShadowFormBase() override;

    TImage* Background;

    // Loads the picture, sizes the form to it, pushes it to the window and
    // moves the form to its dialog's top-left corner.
    void FirstSetup();
    // Takes the dialog's left and top, just behind it in z-order.
    void FollowDialog();

protected:
    // `dialog` is the form that owns this one and that it follows.
    TShadowFormBase(TForm* dialog, const char* pictureName);
    void CreateParams(TCreateParams& params) override;

private:
    TForm* m_dialog;
    std::string m_pictureName;
    std::unique_ptr<qn::TPerPixelLayeredWindowMaker> m_maker;
};

class TProfileShadowForm : public TShadowFormBase {
public:
    explicit TProfileShadowForm(TForm* profileDialog);
    std::string ClassName() const override { return "TProfileShadowForm"; }

    // Set once by DovrelShowModalSp; stays set.
    bool Special() const { return m_special; }
    void SetSpecial() { m_special = true; }

private:
    bool m_special = false;
};

class TDialogCover : public TShadowFormBase {
public:
    explicit TDialogCover(TForm* askDialog);
    std::string ClassName() const override { return "TDialogCover"; }
};
