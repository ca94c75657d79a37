// A small library with forms of its own, as the dialog library has: it
// adopts the program's application object and its forms then live in the
// program's message loop.

#include <windows.h>

#include <stdexcept>

#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"

namespace {

constexpr UINT WM_FOREIGN_STEP = WM_APP + 7;
constexpr UINT WM_FOREIGN_THROW = WM_APP + 8;

class TForeignForm : public TForm {
public:
    explicit TForeignForm(TComponent* owner) : TForm(owner)
    {
        SetBorderStyle(bsNone);
        SetBounds(20, 20, 80, 50);
    }
    std::string ClassName() const override { return "TForeignForm"; }

    void Dispatch(TMessage& message) override
    {
        if (message.Msg == WM_FOREIGN_STEP) {
            SetModalResult(static_cast<TModalResult>(message.WParam));
            return;
        }
        if (message.Msg == WM_FOREIGN_THROW)
            throw std::runtime_error("thrown inside the library");
        TForm::Dispatch(message);
    }
};

}  // namespace

extern "C" {

__declspec(dllexport) void ForeignAdopt(TApplication* application)
{
    Application = application;
}

__declspec(dllexport) HWND ForeignShow(const char* caption)
{
    auto* form = new TForeignForm(Application);
    form->SetCaption(caption);
    form->Show();
    return form->Handle();
}

// A modal form that ends itself with `result` once it runs.
__declspec(dllexport) int ForeignShowModal(int result)
{
    auto* form = new TForeignForm(Application);
    form->OnShow = TNotifyEvent::FromFunction(
        [form, result](TObject*) { PostMessageA(form->Handle(), WM_FOREIGN_STEP, result, 0); });
    int modalResult = form->ShowModal();
    delete form;
    return modalResult;
}

}  // extern "C"
