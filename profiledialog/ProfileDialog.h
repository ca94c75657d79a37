#pragma once
// The Save Profile dialog: a name edit, the list of the profile files, and
// the Save, Delete and Cancel buttons that the library's controller adds at
// set-up. Shaped by its background picture and dragged by it; its drop
// shadow follows it.

#include <string>

#include "KyPackage/Source/KyButton.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/ListBox.h"
#include "platform/vcl/StdCtrls.h"
#include "profiledialog/IrregularWindowMaker.h"
#include "vessa/widget/Source/Flicker.h"

class TProfileDialog : public TForm {
public:
    static constexpr int kWidth = 465;
    static constexpr int kHeight = 283;
    static constexpr int kMaxNameLength = 26;

    explicit TProfileDialog(TComponent* owner);
    std::string ClassName() const override { return "TProfileDialog"; }

    TImage* Background;
    TImage* Image1;
    TImage* Image2;
    KyButtonTx* CloseButton;
    TEdit* ProfileNameEdit;
    TListBox* ProfileNameList;

    // The controller builds the buttons, images and labels of this dialog
    // and of the ask dialog, and wires the events.
    void Setup();

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void FormClose(TObject* sender, TCloseAction& action);

    IrregularWindowMaker m_shape;
    vessa::FlickerEliminator m_flicker;
};
