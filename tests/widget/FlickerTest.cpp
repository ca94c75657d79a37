// The flicker eliminator answers WM_ERASEBKGND for its control and passes
// everything else on; detaching or destroying it gives the control its own
// procedure back, and a control destroyed first is never touched.

#include <gtest/gtest.h>

#include <vector>

#include "TestProcess.h"
#include "platform/vcl/Form.h"
#include "vessa/System/VessaAssert.h"
#include "vessa/widget/Source/Flicker.h"

namespace {

// A control that records the messages reaching its own procedure.
class TRecordingControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<UINT> seen;

    void WndProc(TMessage& message) override
    {
        seen.push_back(message.Msg);
        if (message.Msg == WM_ERASEBKGND) {
            message.Result = 7;
            return;
        }
        TCustomControl::WndProc(message);
    }
};

bool Saw(const TRecordingControl& control, UINT message)
{
    for (UINT m : control.seen)
        if (m == message)
            return true;
    return false;
}

ZX_TEST_CHILD(flicker_second_attach)
{
    TRecordingControl first(nullptr), second(nullptr);
    vessa::FlickerEliminator eliminator;
    eliminator.Attach(&first);
    eliminator.Attach(&second);
    return 0;
}

}  // namespace

TEST(FlickerEliminator, AnswersEraseBackgroundAndPassesTheRest)
{
    TRecordingControl control(nullptr);
    vessa::FlickerEliminator eliminator;
    eliminator.Attach(&control);
    EXPECT_EQ(eliminator.Control(), &control);

    EXPECT_EQ(control.Perform(WM_ERASEBKGND), 1);
    EXPECT_FALSE(Saw(control, WM_ERASEBKGND));
    control.Perform(WM_USER + 5);
    EXPECT_TRUE(Saw(control, WM_USER + 5));
}

TEST(FlickerEliminator, WorksOnTheWindowItself)
{
    TForm form(nullptr);
    TRecordingControl control(&form);
    control.SetParent(&form);
    control.SetBounds(0, 0, 20, 20);
    vessa::FlickerEliminator eliminator;
    eliminator.Attach(&control);
    EXPECT_EQ(SendMessageA(control.Handle(), WM_ERASEBKGND, 0, 0), 1);
    EXPECT_FALSE(Saw(control, WM_ERASEBKGND));
}

TEST(FlickerEliminator, DetachAndDestructionRestoreTheControlsProcedure)
{
    TRecordingControl control(nullptr);
    {
        vessa::FlickerEliminator eliminator;
        eliminator.Attach(&control);
        EXPECT_EQ(eliminator.Detach(), &control);
        EXPECT_EQ(eliminator.Control(), nullptr);
        EXPECT_EQ(control.Perform(WM_ERASEBKGND), 7);

        eliminator.Attach(&control);  // attachable again after Detach
        EXPECT_EQ(control.Perform(WM_ERASEBKGND), 1);
    }
    EXPECT_EQ(control.Perform(WM_ERASEBKGND), 7);
    EXPECT_EQ(vessa::FlickerEliminator().Detach(), nullptr);
}

TEST(FlickerEliminator, AControlDestroyedFirstIsForgotten)
{
    vessa::FlickerEliminator eliminator;
    auto* control = new TRecordingControl(nullptr);
    eliminator.Attach(control);
    delete control;
    EXPECT_EQ(eliminator.Control(), nullptr);
    EXPECT_EQ(eliminator.Detach(), nullptr);
}

TEST(FlickerEliminator, ASecondAttachIsAContractViolation)
{
    zxtest::ProcessResult result = zxtest::RunChild("flicker_second_attach", {{"VESSA_ASSERT_SILENT", "1"}});
    EXPECT_EQ(result.exitCode, vessa::kAssertExitCode);
    EXPECT_NE(result.output.find("Assertion failed: m_control == NULL"), std::string::npos) << result.output;
}
