// Windows of the class library: class names and captions as other programs
// see them, CreateParams, the message path, OnMessage, ownership.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DebugCapture.h"
#include "TestProcess.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Label.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/Timer.h"

namespace {

std::string UniqueCaption(const char* base)
{
    return std::string(base) + "-" + std::to_string(GetCurrentProcessId());
}

class TProbeMainForm : public TForm {
public:
    explicit TProbeMainForm(TComponent* owner) : TForm(owner)
    {
        SetBorderStyle(bsNone);
        SetCaption(UniqueCaption("ZxProbe"));
        SetClientWidth(200);
        SetClientHeight(100);
        handleDuringConstruction = HandleAllocated();
    }
    bool handleDuringConstruction = true;
    std::vector<UINT> dispatched;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TForm::CreateParams(params);
        params.ExStyle |= WS_EX_LAYERED;
    }

public:
    void Dispatch(TMessage& message) override
    {
        if (message.Msg >= WM_USER && message.Msg < WM_USER + 100) {
            dispatched.push_back(message.Msg);
            message.Result = message.Msg - WM_USER;
            if (message.Msg == WM_USER + 50)
                throw Exception("handler failed");
            return;
        }
        TForm::Dispatch(message);
    }
};

struct MethodLog {
    TWndMethod previous;
    std::vector<UINT> seen;
    void Hook(TMessage& message)
    {
        if (message.Msg >= WM_USER)
            seen.push_back(message.Msg);
        previous(message);
    }
};

}  // namespace

TEST(VclWindows, FindWindowSeesTheClassNameAndCaptionAndTheHandleComesAfterConstruction)
{
    auto form = std::make_unique<TProbeMainForm>(Application);
    EXPECT_FALSE(form->handleDuringConstruction);
    HWND window = form->Handle();
    EXPECT_EQ(FindWindowA("TProbeMainForm", UniqueCaption("ZxProbe").c_str()), window);
    // The derived CreateParams reached the window.
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    form.reset();
    EXPECT_FALSE(IsWindow(window));
}

TEST(VclWindows, ApplicationWindowIsAHiddenTopLevelWindowNamedByTitle)
{
    Application->SetTitle(UniqueCaption("ZxApp"));
    HWND window = Application->Handle();
    EXPECT_EQ(FindWindowA("TApplication", UniqueCaption("ZxApp").c_str()), window);
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
    EXPECT_FALSE(IsWindowVisible(window));
    auto form = std::make_unique<TProbeMainForm>(Application);
    EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), window);  // forms are owned by it
}

TEST(VclWindows, MessagePathRunsThroughAReplaceableWindowProcToDispatch)
{
    auto form = std::make_unique<TProbeMainForm>(Application);
    MethodLog log;
    log.previous = form->WindowProc;
    form->WindowProc = TWndMethod(&log, &MethodLog::Hook);

    EXPECT_EQ(SendMessageA(form->Handle(), WM_USER + 7, 0, 0), 7);
    EXPECT_EQ(form->Perform(WM_USER + 8), 8);
    EXPECT_EQ(log.seen, (std::vector<UINT>{WM_USER + 7, WM_USER + 8}));
    EXPECT_EQ(form->dispatched, (std::vector<UINT>{WM_USER + 7, WM_USER + 8}));
    // Unhandled messages end in the default window procedure.
    SetWindowTextA(form->Handle(), "changed");
    EXPECT_EQ(form->Caption(), "changed");
    form->WindowProc = log.previous;
}

TEST(VclWindows, AnExceptionInAHandlerIsShownAndDoesNotLeaveTheWindowProcedure)
{
    auto form = std::make_unique<TProbeMainForm>(Application);
    std::vector<std::string> shown;
    Application->OnException =
        TExceptionEvent::FromFunction([&](TObject*, const char* text) { shown.push_back(text); });
    SendMessageA(form->Handle(), WM_USER + 50, 0, 0);
    Application->OnException = nullptr;
    EXPECT_EQ(shown, (std::vector<std::string>{"handler failed"}));
}

TEST(VclWindows, OnMessageSeesPostedMessagesNotSentOnesAndHandledStopsDispatch)
{
    auto form = std::make_unique<TProbeMainForm>(Application);
    HWND window = form->Handle();
    std::vector<UINT> queued;
    Application->OnMessage = TMessageEvent::FromFunction([&](MSG& message, bool& handled) {
        if (message.hwnd == window && message.message >= WM_USER) {
            queued.push_back(message.message);
            handled = message.message == WM_USER + 2;
        }
    });
    PostMessageA(window, WM_USER + 1, 0, 0);
    PostMessageA(window, WM_USER + 2, 0, 0);
    SendMessageA(window, WM_USER + 3, 0, 0);
    Application->ProcessMessages();
    Application->OnMessage = nullptr;
    EXPECT_EQ(queued, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
    EXPECT_EQ(form->dispatched, (std::vector<UINT>{WM_USER + 3, WM_USER + 1}));
}

TEST(VclWindows, FreeingAFormFreesItsControlsAndTheirWindows)
{
    auto form = std::make_unique<TForm>(Application);
    auto* panel = new TCustomControl(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(1, 1, 20, 20);
    auto* inner = new TCustomControl(form.get());
    inner->SetParent(panel);
    auto* label = new TLabel(form.get());
    label->SetParent(panel);
    form->Show();
    HWND panelWindow = panel->Handle();
    HWND innerWindow = inner->Handle();
    EXPECT_EQ(GetParent(innerWindow), panelWindow);
    int before = Application->ComponentCount();
    form.reset();
    EXPECT_EQ(Application->ComponentCount(), before - 1);
    EXPECT_FALSE(IsWindow(panelWindow));
    EXPECT_FALSE(IsWindow(innerWindow));
}

TEST(VclWindows, ClosingAFormThatIsNotTheMainFormHidesIt)
{
    // The test program has no main form of its own: make one first.
    auto form = std::make_unique<TForm>(Application);
    auto other = std::make_unique<TForm>(Application);
    std::vector<std::string> events;
    other->OnShow = TNotifyEvent::FromFunction([&](TObject*) { events.push_back("show"); });
    other->OnHide = TNotifyEvent::FromFunction([&](TObject*) { events.push_back("hide"); });
    other->OnClose = TCloseEvent::FromFunction([&](TObject*, TCloseAction& action) { events.push_back("close"); });
    other->Show();
    EXPECT_TRUE(IsWindowVisible(other->Handle()));
    SendMessageA(other->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(other->Visible());
    EXPECT_TRUE(IsWindow(other->Handle()));
    EXPECT_EQ(events, (std::vector<std::string>{"show", "close", "hide"}));
}

ZX_TEST_CHILD(main_form_close_ends_the_loop)
{
    Application->Initialize();
    Application->SetTitle("ZxChildApp");
    TProbeMainForm* form = nullptr;
    Application->CreateForm(form);
    if (Application->MainForm() != form)
        return 10;
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    Application->Run();  // returns once the main form's close ends it
    return Application->Terminated() ? 0 : 11;
}

TEST(VclWindows, ClosingTheMainFormEndsTheApplicationLoop)
{
    zxtest::ProcessResult result = zxtest::RunChild("main_form_close_ends_the_loop");
    ASSERT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0u) << result.output;
}

// Forms with pictures, canvases and a system control left to the
// application: freed when the message loop ends, or, when the program never
// ran the loop, during static destruction while the library's tables exist.
namespace {

void MakeFormWithPictures()
{
    Application->Initialize();
    TForm* form = nullptr;
    Application->CreateForm(form);
    for (int i = 0; i < 40; ++i) {
        auto* image = new TImage(form);
        image->SetParent(form);
        image->Picture()->Bitmap()->SetPixelFormat(pf32bit);
        image->Picture()->Bitmap()->SetSize(8 + i, 8);
    }
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    form->Show();
    form->Repaint();
}

}  // namespace

ZX_TEST_CHILD(forms_with_pictures_end_with_the_loop)
{
    MakeFormWithPictures();
    PostMessageA(Application->MainForm()->Handle(), WM_CLOSE, 0, 0);
    Application->Run();
    return Application->ComponentCount() == 0 && !Application->MainForm() ? 0 : 10;
}

ZX_TEST_CHILD(forms_with_pictures_left_at_exit)
{
    MakeFormWithPictures();
    return 0;
}

TEST(VclWindows, FormsLeftToTheApplicationAreFreedCleanly)
{
    for (const char* child : {"forms_with_pictures_end_with_the_loop", "forms_with_pictures_left_at_exit"}) {
        SCOPED_TRACE(child);
        zxtest::ProcessResult result = zxtest::RunChild(child);
        ASSERT_TRUE(result.started);
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(result.exitCode, 0u) << result.output;
    }
}

TEST(VclWindows, FindControlKnowsTheLibrarysWindowsOnlyUntilTheyGo)
{
    auto form = std::make_unique<TForm>(Application);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    EXPECT_EQ(FindControl(form->Handle()), form.get());
    EXPECT_EQ(FindControl(edit->Handle()), edit) << "a control built on a system class";
    EXPECT_EQ(FindControl(nullptr), nullptr);

    // Another window's user data is not taken for a control.
    HWND foreign = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(foreign, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form.get()));
    EXPECT_EQ(FindControl(foreign), nullptr);
    DestroyWindow(foreign);

    // A window destroyed behind the library's back lets go of its control.
    HWND window = edit->Handle();
    DestroyWindow(window);
    EXPECT_FALSE(edit->HandleAllocated());
    EXPECT_EQ(FindControl(window), nullptr);
    EXPECT_NE(edit->Handle(), nullptr) << "a new window is made on demand";
    EXPECT_EQ(FindControl(edit->Handle()), edit);
}

// A timer that fails on every tick: the first failure opens the error box;
// the ticks that fail while it is open are traced, not shown in more boxes.
namespace {

std::vector<HWND> g_errorBoxes;

LRESULT CALLBACK WatchErrorBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0 &&
            std::find(g_errorBoxes.begin(), g_errorBoxes.end(), window) == g_errorBoxes.end())
            g_errorBoxes.push_back(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

constexpr int kTicksWhileTheBoxIsOpen = 5;

}  // namespace

ZX_TEST_CHILD(failing_timer_opens_one_error_box)
{
    Application->Initialize();
    HHOOK hook = SetWindowsHookExA(WH_CBT, WatchErrorBoxes, nullptr, GetCurrentThreadId());
    TTimer timer(nullptr);
    int ticksWhileOpen = 0;
    timer.SetInterval(10);
    timer.SetOnTimer(TNotifyEvent::FromFunction([&](TObject*) {
        if (!g_errorBoxes.empty() && (++ticksWhileOpen == kTicksWhileTheBoxIsOpen || g_errorBoxes.size() > 1)) {
            timer.SetEnabled(false);
            for (HWND box : g_errorBoxes)
                PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        throw Exception("reading failed");
    }));
    // Returns once the first tick's box has been closed.
    while (g_errorBoxes.empty())
        Application->HandleMessage();
    UnhookWindowsHookEx(hook);
    if (g_errorBoxes.size() != 1)
        return 10 + static_cast<int>(g_errorBoxes.size());
    return ticksWhileOpen == kTicksWhileTheBoxIsOpen ? 0 : 20;
}

TEST(VclApplication, ErrorBoxesDoNotStackAndTheFailuresMeanwhileAreTraced)
{
    zxtest::DebugRunResult result = zxtest::RunChildUnderDebugger("failing_timer_opens_one_error_box");
    ASSERT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    EXPECT_EQ(zxtest::TracesContaining(result, "reading failed. (not shown: an error box is open)").size(),
              static_cast<size_t>(kTicksWhileTheBoxIsOpen));
}

TEST(VclEdit, TextMaxLengthAndOnChangeOverTheSystemEdit)
{
    auto form = std::make_unique<TForm>(Application);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetMaxLength(5);
    int changes = 0;
    edit->OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    HWND window = edit->Handle();
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "TEdit");
    edit->SetText("abc");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit->Text(), "abc");
    // Typing beyond the limit is refused by the system control.
    SendMessageA(window, EM_SETSEL, 3, 3);
    for (char c : std::string("defg"))
        SendMessageA(window, WM_CHAR, c, 0);
    EXPECT_EQ(edit->Text(), "abcde");
    EXPECT_GE(changes, 3);  // at least one per accepted character
}

TEST(VclEdit, SunkenEdgeByDefaultAndNoneWithoutBorderEvenAfterTheWindowExists)
{
    auto form = std::make_unique<TForm>(Application);
    auto* framed = new TEdit(form.get());
    framed->SetParent(form.get());
    EXPECT_NE(0, GetWindowLongA(framed->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    auto* plain = new TEdit(form.get());
    plain->SetParent(form.get());
    plain->SetText("kept");
    plain->Handle();
    plain->SetBorderStyle(bsNoBorder);  // the window is made again
    EXPECT_EQ(0, GetWindowLongA(plain->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ("kept", plain->Text());
}

namespace {

// Asks for its window while it is freed, as a destructor may.
class THandleAskingPanel : public TPanel {
public:
    explicit THandleAskingPanel(TComponent* owner, HWND* asked) : TPanel(owner), m_asked(asked) {}
    ~THandleAskingPanel() override { *m_asked = Handle(); }

private:
    HWND* m_asked;
};

}  // namespace

TEST(VclWindows, FreeingAFormDestroysItsWindowTreeAndMakesNoWindowAgain)
{
    HWND askedWhileFreed = reinterpret_cast<HWND>(1);
    auto* form = new TForm(Application);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    auto* edit = new TEdit(form);
    edit->SetParent(panel);
    auto* asking = new THandleAskingPanel(form, &askedWhileFreed);
    asking->SetParent(panel);
    form->Show();
    const std::vector<HWND> windows = {form->Handle(), panel->Handle(), edit->Handle(), asking->Handle()};
    for (HWND window : windows)
        ASSERT_TRUE(IsWindow(window));

    delete form;
    for (HWND window : windows)
        EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(askedWhileFreed, nullptr);
    EXPECT_EQ(FindWindowA("THandleAskingPanel", nullptr), nullptr);
}

TEST(VclWindows, FreeingAChildDestroysItsWindowsAndKeepsTheParents)
{
    auto form = std::make_unique<TForm>(Application);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* edit = new TEdit(form.get());
    edit->SetParent(panel);
    form->Show();
    const HWND panelWindow = panel->Handle();
    const HWND editWindow = edit->Handle();

    delete panel;
    EXPECT_FALSE(IsWindow(panelWindow));
    EXPECT_FALSE(IsWindow(editWindow));
    EXPECT_TRUE(IsWindow(form->Handle()));
}

// Children inserted into a parent that has its window get theirs from the
// message loop: one message for all of them, and none while the program's
// end message waits in the queue (a later need still makes them).
TEST(VclWindows, LateChildWindowsComeFromOneMessageAndNotWhileTheEndWaits)
{
    constexpr UINT kEnd = WM_USER + 60;
    auto form = std::make_unique<TForm>(Application);
    const HWND formWindow = form->Handle();
    int createMessages = 0;
    Application->OnMessage = TMessageEvent::FromFunction([&](MSG& message, bool&) {
        if (message.message == CM_CREATECHILDREN)
            ++createMessages;
    });
    Application->SetEndMessage(kEnd, TEndTest::FromFunction([formWindow](const MSG& message, bool& ends) {
                                   ends = message.hwnd == formWindow && message.wParam == 0x55;
                               }));
    struct Case {
        WPARAM queued;  // 0: nothing queued
        bool made;
    };
    for (const Case& c : {Case{0, true}, Case{0x56, true}, Case{0x55, false}}) {
        SCOPED_TRACE(c.queued);
        createMessages = 0;
        std::vector<TCustomControl*> children;
        for (int i = 0; i < 3; ++i) {
            children.push_back(new TCustomControl(form.get()));
            children.back()->SetParent(form.get());
        }
        if (c.queued != 0)
            PostMessageA(formWindow, kEnd, c.queued, 0);
        Application->ProcessMessages();
        EXPECT_EQ(createMessages, 1);
        for (TCustomControl* child : children)
            EXPECT_EQ(child->HandleAllocated(), c.made);
        EXPECT_NE(children.front()->Handle(), nullptr) << "made on demand";
    }
    Application->SetEndMessage(0, nullptr);
    Application->OnMessage = nullptr;
}
