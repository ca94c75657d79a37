// A list-box layout over an owner-drawn TListBox: item backgrounds, text
// margins, measured heights, the window procedure hook, and either side
// going first.

#include <gtest/gtest.h>

#include <vector>

#include "BitmapPixels.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/StdCtrls.h"
#include "vessa/widget/layout/Source/ListBoxLayout.h"

using zxtest::Bgra;
using zxtest::Get;

namespace {

constexpr int kItemWidth = 100;
constexpr int kItemHeight = 18;
const Bgra kYellow{0, 255, 255, 0};
const Bgra kWhite{255, 255, 255, 0};

class ListBoxLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(Application);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 200, 200);
        list = new TListBox(form);
        list->SetParent(form);
        list->SetBounds(0, 0, 150, 150);
        list->SetStyle(lbOwnerDrawVariable);
        list->SetColor(clWhite);
        list->Font()->SetName("Arial");
        list->Font()->SetHeight(-15);
        list->Font()->SetColor(clBlack);
        list->Items()->Add("Profile A");
        list->Items()->Add("Profile B");
    }
    void TearDown() override
    {
        delete layout;
        delete form;
    }
    vessa::TCustomListBoxLayout* Attach()
    {
        layout = new vessa::TCustomListBoxLayout;
        layout->Attach(list);
        return layout;
    }
    // Draws item `index` into a bitmap as the list box does in WM_DRAWITEM.
    void DrawItem(TBitmap& bitmap, int index, UINT itemState)
    {
        zxtest::Fill(bitmap, pf24bit, kItemWidth, kItemHeight, Bgra{0, 0, 255, 0});
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_LISTBOX;
        item.itemID = index;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = itemState;
        item.hwndItem = list->Handle();
        item.hDC = bitmap.Canvas()->Handle();
        item.rcItem = RECT{0, 0, kItemWidth, kItemHeight};
        list->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    // The leftmost column holding a pixel of neither background colour.
    static int FirstTextColumn(TBitmap& bitmap)
    {
        for (int x = 0; x < bitmap.Width(); ++x)
            for (int y = 0; y < bitmap.Height(); ++y)
                if (!(Get(bitmap, x, y) == kWhite) && !(Get(bitmap, x, y) == kYellow))
                    return x;
        return -1;
    }

    // Puts a recorder in front of the list box's own window procedure.
    void RecordMessages()
    {
        own = list->WindowProc;
        list->WindowProc = TWndMethod::FromFunction([this](TMessage& message) {
            seen.push_back(message);
            own(message);
        });
    }

    TForm* form = nullptr;
    TListBox* list = nullptr;
    vessa::TCustomListBoxLayout* layout = nullptr;
    TWndMethod own;
    std::vector<TMessage> seen;
};

}  // namespace

TEST_F(ListBoxLayoutTest, StartsWithTheSharedLayoutsAndSingleLineLeftCentredText)
{
    Attach();
    EXPECT_EQ(layout->HighlightColor(), clHighlight);
    EXPECT_EQ(layout->LeftMargin(), 0);
    EXPECT_EQ(layout->TextFormat(), 0x24u);
    EXPECT_EQ(layout->ListBox(), list);
}

TEST_F(ListBoxLayoutTest, SelectedItemsTakeTheHighlightColourOthersTheListColour)
{
    Attach()->SetHighlightColor(clYellow);
    struct Case {
        UINT itemState;
        Bgra background;
    } cases[] = {{0, kWhite}, {ODS_SELECTED, kYellow}, {ODS_SELECTED | ODS_FOCUS, kYellow}};
    for (const Case& c : cases) {
        TBitmap bitmap;
        DrawItem(bitmap, 1, c.itemState);
        SCOPED_TRACE(c.itemState);
        // The whole item is filled: corners and the far right are background.
        EXPECT_EQ(Get(bitmap, 0, 0), c.background);
        EXPECT_EQ(Get(bitmap, kItemWidth - 1, kItemHeight - 1), c.background);
        int text = 0;
        for (int y = 0; y < kItemHeight; ++y)
            for (int x = 0; x < kItemWidth; ++x)
                text += !(Get(bitmap, x, y) == c.background);
        EXPECT_GT(text, 10);
    }
}

TEST_F(ListBoxLayoutTest, LeftMarginMovesTheTextButNotTheBackground)
{
    Attach()->SetHighlightColor(clYellow);
    TBitmap flush, indented;
    DrawItem(flush, 0, 0);
    layout->SetLeftMargin(4);
    DrawItem(indented, 0, 0);
    int flushStart = FirstTextColumn(flush);
    ASSERT_GE(flushStart, 0);
    EXPECT_EQ(FirstTextColumn(indented), flushStart + 4);
    for (int y = 0; y < kItemHeight; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Get(indented, x, y), kWhite);
}

TEST_F(ListBoxLayoutTest, ItemsAreAsHighAsTheFontsLine)
{
    Attach();
    TBitmap probe;
    probe.SetSize(1, 1);
    probe.Canvas()->SetFont(list->Font());
    probe.Canvas()->RequireFont();
    TEXTMETRICA metrics{};
    GetTextMetricsA(probe.Canvas()->Handle(), &metrics);
    ASSERT_GT(metrics.tmHeight, 0);
    form->Show();
    for (int index : {0, 1}) {
        RECT item = list->ItemRect(index);
        EXPECT_EQ(item.bottom - item.top, metrics.tmHeight) << index;
    }
}

TEST_F(ListBoxLayoutTest, OnlyEraseBackgroundIsTakenOverEveryOtherMessagePassesUnchanged)
{
    RecordMessages();
    Attach();
    list->Handle();
    seen.clear();

    EXPECT_EQ(list->Perform(LB_GETCOUNT), 2);
    EXPECT_EQ(list->Perform(WM_USER + 7, 11, 13), 0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].Msg, WM_USER + 7u);
    EXPECT_EQ(seen[1].WParam, 11u);
    EXPECT_EQ(seen[1].LParam, 13);

    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    HDC dc = bitmap.Canvas()->Handle();
    EXPECT_EQ(list->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc)), 1);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[2].Msg, static_cast<UINT>(WM_ERASEBKGND));  // the list box's own procedure erased
}

TEST_F(ListBoxLayoutTest, EventsFromAnythingButAListBoxRaiseInvalidCast)
{
    Attach();
    TPanel panel(nullptr);
    int height = 0;
    EXPECT_THROW(list->OnDrawItem(&panel, 0, RECT{}, 0), EInvalidCast);
    EXPECT_THROW(list->OnMeasureItem(&panel, 0, height), EInvalidCast);
}

TEST_F(ListBoxLayoutTest, AFreedLayoutGivesTheListBoxItsHandlersBack)
{
    TWndMethod own = list->WindowProc;
    bool drawnByOwnHandler = false;
    list->OnDrawItem = TDrawItemEvent::FromFunction(
        [&](TWinControl*, int, const RECT&, TOwnerDrawState) { drawnByOwnHandler = true; });
    TDrawItemEvent ownDraw = list->OnDrawItem;
    Attach();
    EXPECT_TRUE(list->WindowProc != own);
    delete layout;
    layout = nullptr;
    EXPECT_TRUE(list->WindowProc == own);
    EXPECT_TRUE(list->OnDrawItem == ownDraw);
    TBitmap bitmap;
    DrawItem(bitmap, 0, 0);
    EXPECT_TRUE(drawnByOwnHandler);
}

TEST_F(ListBoxLayoutTest, ALayoutOutlivingItsListBoxLetsItGo)
{
    Attach();
    form->Show();
    delete list;
    EXPECT_EQ(layout->ListBox(), nullptr);
    delete layout;
    layout = nullptr;
}
