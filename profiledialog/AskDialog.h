#pragma once
// The library's one message dialog: the Yes/No question, the OK-only
// warning and the danger question (with its own background picture), and
// the Save Profile dialog's confirmations. Shaped by its background picture
// and dragged by it; its Yes, No and OK buttons are added by the profile
// dialog's controller.

#include <string>

#include "KyPackage/Source/KyButton.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Label.h"
#include "profiledialog/IrregularWindowMaker.h"
#include "vessa/widget/Source/Flicker.h"

class TAskDialog : public TForm {
public:
    static constexpr int kWidth = 281;
    static constexpr int kHeight = 203;

    explicit TAskDialog(TComponent* owner);
    std::string ClassName() const override { return "TAskDialog"; }

    TImage* Background;
    TLabel* Message;
    TImage* WarnDialogBk;  // hidden: the danger question's background
    KyButtonTx* CloseButton;

    // The buttons the controller made for this dialog.
    void SetAnswerButtons(KyButtonTx* yes, KyButtonTx* no, KyButtonTx* ok);
    // Yes and No for a question, OK alone for a warning.
    void ShowQuestionButtons(bool question);
    KyButtonTx* YesButton() const { return m_yes; }
    KyButtonTx* NoButton() const { return m_no; }
    KyButtonTx* OkButton() const { return m_ok; }

    // Asks `text` with Yes and No, centred on the profile dialog: 6, 7, or
    // 2 from the close button.
    TModalResult AskCentered(const std::string& text);

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void FormShow(TObject* sender);

    IrregularWindowMaker m_shape;
    vessa::FlickerEliminator m_flicker;
    KyButtonTx* m_yes = nullptr;
    KyButtonTx* m_no = nullptr;
    KyButtonTx* m_ok = nullptr;
};

// Left and top that centre a window of `inner` size on one at `outer`,
// rounding toward zero (a smaller outer window gives negative offsets).
POINT CenteredOrigin(const RECT& outer, SIZE inner);
