// The profile box on the main form: opening and closing by its button, a
// choice from the list, the click elsewhere that only closes the list, the
// program losing the foreground, the chosen index set from code, and
// hiding the box while its list is open.

#include <gtest/gtest.h>

#include "BitmapPixels.h"
#include "KyPackage/Source/KyImage.h"
#include "TestProcess.h"
#include "WidgetForm.h"
#include "app/bars/AdvComboBox.h"
#include "app/controls/ControlFactory.h"
#include "app/skin/SkinFiles.h"

namespace {

using widgettest::ChangeCounter;

// Whether the two bitmaps hold the same colours.
bool SameColours(TBitmap* a, TBitmap* b)
{
    if (a->Width() != b->Width() || a->Height() != b->Height() || a->Width() == 0)
        return false;
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x) {
            zxtest::Bgra p = zxtest::Get(*a, x, y), q = zxtest::Get(*b, x, y);
            if (p.b != q.b || p.g != q.g || p.r != q.r)
                return false;
        }
    return true;
}

// A top-level window of another process that takes the foreground and
// stays until it is killed.
ZX_TEST_CHILD(foreground_window)
{
    HWND window = CreateWindowExA(0, "STATIC", "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 100, 200, 100,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

class ComboBoxOnTheMainForm : public widgettest::WidgetForm {
protected:
    void SetUp() override
    {
        WidgetForm::SetUp();
        if (IsSkipped())
            return;
        previousMessages = 0;
        previousHandler = TMessageEvent::FromFunction([this](MSG&, bool&) { ++previousMessages; });
        Application->OnMessage = previousHandler;
        box = std::make_unique<AdvComboBox>(*form, 93, 56);
        box->SetCaption("Profiles");
        box->OnChange = changes.Event();
        box->OnDropDown = TNotifyEvent::FromFunction([this](TObject* sender) {
            ++dropDowns;
            auto* list = dynamic_cast<TListBox*>(sender);
            ASSERT_EQ(box->ListBox(), list);
            // The controller fills the list here.
            if (list->Items()->Count() == 0)
                for (const char* name : {"Daily", "Gaming", "Silent"})
                    list->Items()->Add(name);
        });
    }

    void TearDown() override
    {
        box.reset();  // before the form that owns its controls
        WidgetForm::TearDown();
    }

    std::unique_ptr<TBitmap> Skin(const char* file)
    {
        auto bitmap = std::make_unique<TBitmap>();
        EXPECT_TRUE(ReadSkinFile(file, bitmap.get())) << file;
        return bitmap;
    }

    bool ShowsBody(const char* file) { return SameColours(box->Body()->Picture()->Bitmap(), Skin(file).get()); }

    void Open()
    {
        PressOn(box->DropButton(), 5, 5);
        ReleaseOn(box->DropButton(), 5, 5);
        ASSERT_TRUE(box->IsOpen());
    }

    std::unique_ptr<AdvComboBox> box;
    ChangeCounter changes;
    int dropDowns = 0;
    int previousMessages = 0;
    TMessageEvent previousHandler;
};

TEST_F(ComboBoxOnTheMainForm, StandsWhereThePageWantsIt)
{
    const int bodyHeight = box->Body()->Height();
    EXPECT_EQ((RECT{93 - 71, 56, 93 - 71 + 67, 56 + bodyHeight}), box->CaptionLabel()->BoundsRect());
    EXPECT_EQ((RECT{97, 53, 97 + 156, 53 + 28}), box->TextLabel()->BoundsRect());
    EXPECT_EQ((POINT{93 + 172, 57}), (POINT{box->DropButton()->Left(), box->DropButton()->Top()}));
    EXPECT_EQ((RECT{93, 56 + bodyHeight, 93 + 194, 56 + bodyHeight + 82}), box->DropPanel()->BoundsRect());
    EXPECT_FALSE(box->DropPanel()->Visible());
    EXPECT_EQ(93, box->GetLeft());
    EXPECT_EQ(56, box->GetTop());
    EXPECT_EQ(56 + bodyHeight, box->GetHeight());
    EXPECT_EQ("Profiles", box->CaptionLabel()->Text());
    EXPECT_TRUE(ShowsBody("combo_box_n.png"));
    EXPECT_EQ(-1, box->GetItemIndex());
    Screenshot("ratio_widgets_combo_closed");
}

TEST_F(ComboBoxOnTheMainForm, TheButtonOpensAndClosesTheList)
{
    Open();
    EXPECT_TRUE(box->DropPanel()->Visible());
    EXPECT_TRUE(ShowsBody("combo_box_o.png"));
    EXPECT_EQ(1, dropDowns);
    EXPECT_EQ(3, box->GetItems()->Count());
    Screenshot("ratio_widgets_combo_open");

    PressOn(box->DropButton(), 5, 5);
    ReleaseOn(box->DropButton(), 5, 5);
    EXPECT_FALSE(box->IsOpen());
    EXPECT_TRUE(ShowsBody("combo_box_n.png"));
    EXPECT_EQ(1, dropDowns);
    EXPECT_EQ(0, changes.count);
}

TEST_F(ComboBoxOnTheMainForm, AClickOnAnItemChoosesItAndCloses)
{
    Open();
    RECT item = box->ListBox()->ItemRect(1);
    ClickOn(box->ListBox(), item.left + 10, (item.top + item.bottom) / 2);
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(1, box->GetItemIndex());
    EXPECT_EQ("Gaming", box->GetText());
    EXPECT_EQ(1, changes.count);
    EXPECT_EQ(box->ListBox(), changes.lastSender);
    Screenshot("ratio_widgets_combo_chosen");
}

TEST_F(ComboBoxOnTheMainForm, AClickElsewhereOnlyClosesTheList)
{
    int clicks = 0;
    AlphaButton* other = nullptr;
    const char* skins[4] = {"button01_n.png", "button01_d.png", "button01_o.png", nullptr};
    CreateAlphaButton(other, 374, 603, skins, "Apply", nullptr, false);
    other->OnClick = TNotifyEvent::FromFunction([&clicks](TObject*) { ++clicks; });

    Open();
    const int before = previousMessages;
    ClickOn(other, 10, 10);
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(0, clicks) << "the press that closed the list reached the button";
    EXPECT_GT(previousMessages, before) << "the application's previous handler still sees the messages";

    ClickOn(other, 10, 10);
    EXPECT_EQ(1, clicks);

    // A press on the form itself closes it too.
    Open();
    ClickOn(form, 400, 20);
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(0, changes.count);
}

TEST_F(ComboBoxOnTheMainForm, AnotherProgramInFrontClosesTheList)
{
    SetForegroundWindow(form->Handle());
    Pump();
    Open();
    zxtest::BackgroundProcess other;
    ASSERT_TRUE(other.Start(zxtest::ChildCommandLine("foreground_window")));
    // Bounded by the loop count, not by time: the list closes on the
    // deactivation the other program's window causes.
    for (int i = 0; i < 200 && box->IsOpen(); ++i) {
        Sleep(25);
        Pump();
    }
    EXPECT_FALSE(box->IsOpen());
    EXPECT_TRUE(ShowsBody("combo_box_n.png"));
}

TEST_F(ComboBoxOnTheMainForm, SetItemIndexTakesOnlyIndexesOfTheList)
{
    for (const char* name : {"Daily", "Gaming", "Silent"})
        box->GetItems()->Add(name);
    const struct {
        int index;
        int expectedIndex;
        const char* text;
        int changes;
    } steps[] = {
        {1, 1, "Gaming", 1}, {1, 1, "Gaming", 1},                          // the same index again: nothing
        {3, 1, "Gaming", 1}, {-2, 1, "Gaming", 1}, {100, 1, "Gaming", 1},  // outside the list: nothing
        {2, 2, "Silent", 2}, {-1, -1, "", 3},      {-1, -1, "", 3},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.index);
        box->SetItemIndex(step.index);
        EXPECT_EQ(step.expectedIndex, box->GetItemIndex());
        EXPECT_EQ(step.text, box->GetText());
        EXPECT_EQ(step.changes, changes.count);
    }
    EXPECT_EQ(box->ListBox(), changes.lastSender);
}

// The list rebuilt without the shown entry (its profile deleted) leaves no
// choice: -1 then takes the old name out of the box, and tells nobody.
TEST_F(ComboBoxOnTheMainForm, NoChoiceLeavesNoNameAfterTheListWasRebuilt)
{
    for (const char* name : {"Daily", "Gaming"})
        box->GetItems()->Add(name);
    box->SetItemIndex(1);
    ASSERT_EQ("Gaming", box->GetText());
    box->GetItems()->Clear();
    box->GetItems()->Add("Daily");
    box->ListBox()->SetItemIndex(-1);  // as the controller rebuilds the list
    ASSERT_EQ(-1, box->GetItemIndex());
    const int before = changes.count;
    box->SetItemIndex(-1);
    EXPECT_EQ("", box->GetText());
    EXPECT_EQ("", box->TextLabel()->GetText());
    EXPECT_EQ(-1, box->GetItemIndex());
    EXPECT_EQ(before, changes.count);
}

TEST_F(ComboBoxOnTheMainForm, HidingAnOpenBoxClosesItsList)
{
    Open();
    box->SetVisible(false);
    EXPECT_FALSE(box->IsOpen());
    EXPECT_FALSE(box->IsVisible());
    EXPECT_TRUE(ShowsBody("combo_box_n.png"));
    for (TControl* control : std::vector<TControl*>{box->Body(), box->CaptionLabel(), box->TextLabel(),
                                                    box->DropButton(), box->DropPanel()})
        EXPECT_FALSE(control->Visible());

    box->SetVisible(true);
    EXPECT_TRUE(box->IsVisible());
    EXPECT_TRUE(box->DropButton()->Visible());
    EXPECT_FALSE(box->DropPanel()->Visible());
}

TEST_F(ComboBoxOnTheMainForm, GivesTheApplicationItsHandlersBack)
{
    EXPECT_NE(previousHandler, Application->OnMessage);
    box.reset();
    EXPECT_EQ(previousHandler, Application->OnMessage);
}

// More names than the list shows: no system scroll bar on the dark skin
// (it would cover the names' ends); the wheel and the keys scroll the open
// list wherever the focus is, Return chooses and Escape closes. A long
// name ends in an ellipsis in the box and in the list.
class ComboBoxWithManyNames : public ComboBoxOnTheMainForm {
protected:
    void SetUp() override
    {
        ComboBoxOnTheMainForm::SetUp();
        if (IsSkipped())
            return;
        for (int i = 0; i < 12; ++i)
            box->GetItems()->Add("A profile with a rather long name " + std::to_string(i));
    }
    // A message as the application's loop hands it over; whether it was taken.
    bool Deliver(UINT message, WPARAM wParam, LPARAM lParam = 0)
    {
        MSG msg{};
        msg.hwnd = form->Handle();
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        bool handled = false;
        Application->OnMessage(msg, handled);
        return handled;
    }
    LRESULT TopIndex() { return SendMessageA(box->ListBox()->Handle(), LB_GETTOPINDEX, 0, 0); }
};

TEST_F(ComboBoxWithManyNames, ScrollsByWheelAndKeysWithoutASystemScrollBar)
{
    Open();
    EXPECT_EQ(0, GetWindowLongA(box->ListBox()->Handle(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(0, TopIndex());
    EXPECT_TRUE(Deliver(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA)));
    EXPECT_GT(TopIndex(), 0) << "the wheel scrolls down";
    EXPECT_TRUE(Deliver(WM_MOUSEWHEEL, MAKEWPARAM(0, 4 * WHEEL_DELTA)));
    EXPECT_EQ(0, TopIndex()) << "and back up";
    EXPECT_TRUE(Deliver(WM_KEYDOWN, VK_END));
    EXPECT_EQ(11, box->ListBox()->ItemIndex());
    EXPECT_GT(TopIndex(), 0) << "the last name scrolled into view";
    EXPECT_TRUE(Deliver(WM_KEYDOWN, VK_UP));
    EXPECT_EQ(10, box->ListBox()->ItemIndex());
    EXPECT_TRUE(Deliver(WM_KEYDOWN, VK_RETURN));
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ("A profile with a rather long name 10", box->GetText());
    EXPECT_EQ(1, changes.count);
    EXPECT_FALSE(Deliver(WM_KEYDOWN, VK_DOWN)) << "a closed list takes no keys";
    Open();
    EXPECT_TRUE(Deliver(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(1, changes.count);
}

TEST_F(ComboBoxWithManyNames, ALongNameEndsInAnEllipsis)
{
    box->SetItemIndex(3);
    Pump();
    // The drawn text ends with three dots in the label's last pixels.
    EXPECT_EQ(epEndEllipsis, box->TextLabel()->EllipsisPosition());
    RECT drawn{0, 0, box->TextLabel()->Width(), 100};
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, box->TextLabel()->Font()->Handle());
    std::string text = box->GetText();
    char shown[128] = {};
    lstrcpynA(shown, text.c_str(), sizeof shown);
    DrawTextA(dc, shown, -1, &drawn, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    EXPECT_NE(text, shown) << "the name is wider than the box";
    Open();
    Screenshot("ratio_widgets_combo_box_long_names");
}

TEST(ComboBox, OnTheMainForm)
{
    for (const char* suite : {"ComboBoxOnTheMainForm", "ComboBoxWithManyNames"}) {
        SCOPED_TRACE(suite);
        zxtest::BoardFixture board;
        zxtest::RunSuiteOnBoard(suite, board);
        EXPECT_TRUE(board.Writes().empty());
    }
}

}  // namespace
