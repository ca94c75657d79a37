// Owner-drawn list boxes: the draw event gets each item with a canvas that
// carries the list's font; variable heights come from the measure event.

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/ListBox.h"

namespace {

// An owner-drawn list of `style` filling most of a borderless form.
TListBox* PlaceList(TForm* form, TListBoxStyle style)
{
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 200, 200);
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->SetBounds(0, 0, 150, 150);
    list->SetStyle(style);
    return list;
}

}  // namespace

TEST(VclListBox, OwnerDrawnItemsAreMeasuredAndDrawnWithTheListFont)
{
    auto form = std::make_unique<TForm>(Application);
    TListBox* list = PlaceList(form.get(), lbOwnerDrawVariable);
    list->Font()->SetName("Arial");
    list->Font()->SetHeight(-17);
    list->Items()->Add("one");
    list->Items()->Add("two");
    std::map<int, std::string> drawn;
    int fontHeight = 0;
    list->OnMeasureItem =
        TMeasureItemEvent::FromFunction([](TWinControl*, int index, int& height) { height = 20 + index * 10; });
    list->OnDrawItem =
        TDrawItemEvent::FromFunction([&](TWinControl* control, int index, const RECT& rect, TOwnerDrawState) {
            auto* box = As<TListBox>(control);
            drawn[index] = box->Items()->Get(index);
            fontHeight = box->Canvas()->Font()->Height();
            box->Canvas()->FillRect(rect);
        });
    form->Show();
    UpdateWindow(list->Handle());
    EXPECT_EQ(list->ItemRect(0).bottom - list->ItemRect(0).top, 20);
    EXPECT_EQ(list->ItemRect(1).bottom - list->ItemRect(1).top, 30);
    EXPECT_EQ(drawn[0], "one");
    EXPECT_EQ(drawn[1], "two");
    EXPECT_EQ(fontHeight, -17);

    list->SetItemIndex(1);
    EXPECT_EQ(list->ItemIndex(), 1);
    list->Items()->Delete(0);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 1);
}

TEST(VclListBox, ItemsKeptWithoutAWindowReachItWhenMade)
{
    auto form = std::make_unique<TForm>(Application);
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->Items()->Add("a");
    list->Items()->Add("b");
    list->SetItemIndex(1);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(list->ItemIndex(), 1);
}

TEST(VclListBox, MeasureHandlersMeasureTextWithTheListFont)
{
    auto form = std::make_unique<TForm>(Application);
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->SetStyle(lbOwnerDrawVariable);
    list->Font()->SetName("Arial");
    list->Font()->SetHeight(-30);
    int measured = 0;
    list->OnMeasureItem = TMeasureItemEvent::FromFunction([&](TWinControl* control, int, int& height) {
        measured = As<TListBox>(control)->Canvas()->TextHeight("Ay");
        height = measured;
    });
    list->Items()->Add("Ay");
    RECT item = list->ItemRect(0);
    EXPECT_GE(measured, 30);
    EXPECT_EQ(item.bottom - item.top, measured);
}

// A press on an entry selects it as the system list box does, before the
// mouse-down event asks which entry is chosen.
TEST(VclListBox, APressSelectsTheEntryBeforeTheMouseDownEvent)
{
    auto form = std::make_unique<TForm>(Application);
    TListBox* list = PlaceList(form.get(), lbOwnerDrawFixed);
    list->SetItemHeight(13);
    for (const char* entry : {"one", "two", "three"})
        list->Items()->Add(entry);
    int chosenAtPress = -2;
    list->OnMouseDown = TMouseEvent::FromFunction(
        [&](TObject*, TMouseButton, TShiftState, int, int) { chosenAtPress = list->ItemIndex(); });
    form->Show();
    const RECT second = list->ItemRect(1);
    const LPARAM at = MAKELPARAM(10, (second.top + second.bottom) / 2);
    SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(1, chosenAtPress);
    EXPECT_EQ(1, list->ItemIndex());
}
