// Mouse routing: windowless children get the messages over them in their own
// coordinates, hold the mouse from press to release, and see presses in the
// library's click order.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"

namespace {

std::vector<std::string>* g_log = nullptr;

void Log(const std::string& entry)
{
    if (g_log)
        g_log->push_back(entry);
}

std::string Point(const char* what, int x, int y)
{
    return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y);
}

template <class Base>
class TRecorder : public Base {
public:
    using Base::Base;
    std::string name = "child";

protected:
    void MouseDown(TMouseButton, TShiftState shift, int x, int y) override
    {
        Log(name + (shift & ssDouble ? " double-down " : " down ") + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseMove(TShiftState, int x, int y) override { Log(Point((name + " move").c_str(), x, y)); }
    void MouseUp(TMouseButton, TShiftState, int x, int y) override { Log(Point((name + " up").c_str(), x, y)); }
    void Click() override { Log(name + " click"); }
    void DblClick() override { Log(name + " dblclick"); }
};

using TGraphicRecorder = TRecorder<TGraphicControl>;
using TFormRecorder = TRecorder<TForm>;

struct RawHook {
    TWndMethod previous;
    void Hook(TMessage& message)
    {
        if (message.Msg == WM_MOUSEMOVE)
            Log(Point("form raw move", message.XPos(), message.YPos()));
        previous(message);
    }
};

class MouseRouting : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log = &log;
        form = std::make_unique<TFormRecorder>(Application);
        form->name = "form";
        form->SetBorderStyle(bsNone);
        form->SetBounds(40, 40, 200, 150);
        child = new TGraphicRecorder(form.get());
        child->SetParent(form.get());
        child->SetBounds(50, 30, 40, 20);
        form->Show();
        window = form->Handle();
    }
    void TearDown() override
    {
        form.reset();
        g_log = nullptr;
    }
    void Send(UINT msg, int x, int y, WPARAM keys = 0) { SendMessageA(window, msg, keys, MAKELPARAM(x, y)); }

    std::vector<std::string> log;
    std::unique_ptr<TFormRecorder> form;
    TGraphicRecorder* child = nullptr;
    HWND window = nullptr;
};

}  // namespace

TEST_F(MouseRouting, ChildGetsItsOwnCoordinatesAndTheFormSeesTheRawMoveFirst)
{
    RawHook hook{form->WindowProc};
    form->WindowProc = TWndMethod(&hook, &RawHook::Hook);
    Send(WM_MOUSEMOVE, 55, 36);
    Send(WM_MOUSEMOVE, 10, 10);
    form->WindowProc = hook.previous;
    EXPECT_EQ(log, (std::vector<std::string>{"form raw move 55,36", "child move 5,6", "form raw move 10,10",
                                             "form move 10,10"}));
}

TEST_F(MouseRouting, PressCapturesTheMouseUntilReleaseAndClickNeedsReleaseInside)
{
    Send(WM_LBUTTONDOWN, 60, 35, MK_LBUTTON);
    EXPECT_TRUE(child->MouseCapture());
    EXPECT_EQ(GetCapture(), window);
    Send(WM_MOUSEMOVE, 150, 100, MK_LBUTTON);  // outside, still the child's
    Send(WM_LBUTTONUP, 150, 100);
    EXPECT_FALSE(child->MouseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"child down 10,5", "child move 100,70", "child up 100,70"}));
}

TEST_F(MouseRouting, ClickComesBeforeMouseUpAndDoubleClickFollowsControlStyle)
{
    struct Case {
        bool doubleClicks;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {true,
         {"child down 1,1", "child click", "child up 1,1", "child dblclick", "child double-down 1,1", "child up 1,1"}},
        {false, {"child down 1,1", "child click", "child up 1,1", "child down 1,1", "child click", "child up 1,1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.doubleClicks ? "csDoubleClicks" : "without csDoubleClicks");
        log.clear();
        TControlStyle style = child->ControlStyle();
        child->SetControlStyle(c.doubleClicks ? (style | csDoubleClicks) : (style & ~csDoubleClicks));
        Send(WM_LBUTTONDOWN, 51, 31, MK_LBUTTON);
        Send(WM_LBUTTONUP, 51, 31);
        Send(WM_LBUTTONDBLCLK, 51, 31, MK_LBUTTON);
        Send(WM_LBUTTONUP, 51, 31);
        EXPECT_EQ(log, c.expected);
    }
}

TEST_F(MouseRouting, CaptureTakenAwayMidPressCancelsTheClick)
{
    Send(WM_LBUTTONDOWN, 60, 35, MK_LBUTTON);
    ASSERT_TRUE(child->MouseCapture());
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetCapture(other);  // as a menu or a message box would
    EXPECT_FALSE(child->MouseCapture());
    ReleaseCapture();
    DestroyWindow(other);
    log.clear();
    Send(WM_LBUTTONUP, 60, 35);
    EXPECT_EQ(log, (std::vector<std::string>{"child up 10,5"}));
}

TEST_F(MouseRouting, DisabledOrHiddenChildLeavesTheMouseToTheParent)
{
    child->SetEnabled(false);
    Send(WM_LBUTTONDOWN, 60, 35, MK_LBUTTON);
    Send(WM_LBUTTONUP, 60, 35);
    child->SetEnabled(true);
    child->SetVisible(false);
    Send(WM_MOUSEMOVE, 61, 36);
    EXPECT_EQ(log, (std::vector<std::string>{"form down 60,35", "form click", "form up 60,35", "form move 61,36"}));
}

TEST_F(MouseRouting, ChildFreedWhileHoldingTheMouseIsForgotten)
{
    Send(WM_LBUTTONDOWN, 60, 35, MK_LBUTTON);
    ASSERT_EQ(form->CaptureControl(), child);
    delete child;
    EXPECT_EQ(form->CaptureControl(), nullptr);
    log.clear();
    Send(WM_MOUSEMOVE, 60, 35);
    EXPECT_EQ(log, (std::vector<std::string>{"form move 60,35"}));
}
