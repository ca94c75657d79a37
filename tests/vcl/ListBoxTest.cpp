// Owner-drawn list boxes: the draw event gets each item with a canvas that
// carries the list's font; variable heights come from the measure event.

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/ListBox.h"

TEST(VclListBox, OwnerDrawnItemsAreMeasuredAndDrawnWithTheListFont)
{
    auto form = std::make_unique<TForm>(Application);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 200, 200);
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->SetBounds(0, 0, 150, 150);
    list->SetStyle(lbOwnerDrawVariable);
    list->Font()->SetName("Arial");
    list->Font()->SetHeight(-17);
    list->Items()->Add("one");
    list->Items()->Add("two");
    std::map<int, std::string> drawn;
    int fontHeight = 0;
    list->OnMeasureItem = TMeasureItemEvent::FromFunction([](TWinControl*, int index, int& height) {
        height = 20 + index * 10;
    });
    list->OnDrawItem = TDrawItemEvent::FromFunction(
        [&](TWinControl* control, int index, const RECT& rect, TOwnerDrawState) {
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
