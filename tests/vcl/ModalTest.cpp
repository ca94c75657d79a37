// Modal forms: results, the disabled owner windows, nesting, OnMessage during
// the loop, WM_CLOSE and WM_QUIT.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "TestProcess.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"

namespace {

constexpr UINT WM_RUN_STEP = WM_USER + 77;

// A dialog that, once its loop runs, performs `step` (posted to itself).
class TScriptedDialog : public TForm {
public:
    explicit TScriptedDialog(TComponent* owner) : TForm(owner)
    {
        SetBorderStyle(bsNone);
        SetBounds(10, 10, 60, 40);
        OnShow = TNotifyEvent::FromFunction([this](TObject*) { PostMessageA(Handle(), WM_RUN_STEP, 0, 0); });
    }
    std::function<void(TScriptedDialog*)> step;
    void Dispatch(TMessage& message) override
    {
        if (message.Msg == WM_RUN_STEP) {
            if (step)
                step(this);
            return;
        }
        TForm::Dispatch(message);
    }
};

}  // namespace

TEST(VclModal, ResultEndsTheLoopAndOtherWindowsAreDisabledMeanwhile)
{
    auto owner = std::make_unique<TForm>(Application);
    owner->SetBorderStyle(bsNone);
    owner->Show();
    auto dialog = std::make_unique<TScriptedDialog>(Application);
    bool ownerEnabledDuring = true;
    dialog->step = [&](TScriptedDialog* self) {
        ownerEnabledDuring = IsWindowEnabled(owner->Handle()) != FALSE;
        self->SetModalResult(mrYes);
    };
    EXPECT_EQ(dialog->ShowModal(), mrYes);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
    EXPECT_FALSE(dialog->Visible());
}

TEST(VclModal, DialogOpenedFromADialogNestsAndBothReturnTheirResults)
{
    auto outer = std::make_unique<TScriptedDialog>(Application);
    auto inner = std::make_unique<TScriptedDialog>(Application);
    TModalResult innerResult = mrNone;
    bool outerDisabledDuringInner = false;
    inner->step = [&](TScriptedDialog* self) {
        outerDisabledDuringInner = !IsWindowEnabled(outer->Handle());
        self->SetModalResult(mrNo);
    };
    outer->step = [&](TScriptedDialog* self) {
        innerResult = inner->ShowModal();
        self->SetModalResult(IsWindowEnabled(self->Handle()) ? mrOk : mrAbort);
    };
    EXPECT_EQ(outer->ShowModal(), mrOk);
    EXPECT_EQ(innerResult, mrNo);
    EXPECT_TRUE(outerDisabledDuringInner);
}

TEST(VclModal, CloseGivesCancelAndOnMessageRunsInsideTheLoop)
{
    auto dialog = std::make_unique<TScriptedDialog>(Application);
    int seenInLoop = 0;
    HWND window = dialog->Handle();
    Application->OnMessage = TMessageEvent::FromFunction([&](MSG& message, bool&) {
        if (message.hwnd == window && message.message == WM_RUN_STEP)
            ++seenInLoop;
    });
    dialog->step = [](TScriptedDialog* self) { PostMessageA(self->Handle(), WM_CLOSE, 0, 0); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    Application->OnMessage = nullptr;
    EXPECT_EQ(seenInLoop, 1);
}

TEST(VclModal, CloseHandlerCanRefuseAndAVisibleFormCannotGoModal)
{
    auto dialog = std::make_unique<TScriptedDialog>(Application);
    int refusals = 0;
    dialog->OnClose = TCloseEvent::FromFunction([&](TObject*, TCloseAction& action) {
        if (refusals++ == 0)
            action = caNone;  // the first result is refused: the loop goes on
    });
    dialog->step = [](TScriptedDialog* self) {
        self->SetModalResult(mrOk);
        PostMessageA(self->Handle(), WM_USER + 78, 0, 0);
    };
    // After the refusal the loop continues; the second try ends it.
    Application->OnMessage = TMessageEvent::FromFunction([&](MSG& message, bool& handled) {
        if (message.message == WM_USER + 78) {
            dialog->SetModalResult(mrIgnore);
            handled = true;
        }
    });
    EXPECT_EQ(dialog->ShowModal(), mrIgnore);
    Application->OnMessage = nullptr;
    EXPECT_EQ(refusals, 2);
    dialog->Show();
    EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
}

ZX_TEST_CHILD(quit_inside_modal_loop)
{
    auto dialog = std::make_unique<TScriptedDialog>(Application);
    dialog->step = [](TScriptedDialog*) { PostQuitMessage(0); };
    TModalResult result = dialog->ShowModal();
    if (result != mrCancel)
        return 10;
    if (!Application->Terminated())
        return 11;
    MSG message;
    // The quit is posted again for the loop further out.
    if (!PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return 12;
    return 0;
}

TEST(VclModal, QuitInsideTheLoopEndsItAndIsPostedAgain)
{
    zxtest::ProcessResult result = zxtest::RunChild("quit_inside_modal_loop");
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 0u) << result.output;
}
