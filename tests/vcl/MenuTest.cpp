// Popup menus: the chosen item's OnClick runs, and WM_NULL follows the menu
// so it goes away when the user clicks elsewhere. A menu the user never found
// is ended by the test, which then fails instead of waiting for ever.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/vcl/Application.h"
#include "platform/vcl/Menus.h"

namespace {

void CALLBACK EndTheMenu(HWND, UINT, UINT_PTR, DWORD)
{
    EndMenu();
}

}  // namespace

TEST(VclPopupMenu, ChosenItemClicksAndWmNullFollowsTheMenu)
{
    TPopupMenu menu(nullptr);
    auto* first = new TMenuItem(nullptr);
    first->SetCaption("First");
    auto* separator = new TMenuItem(nullptr);
    separator->SetCaption("-");
    auto* second = new TMenuItem(nullptr);
    second->SetCaption("Second");
    menu.Items()->Add(first);
    menu.Items()->Add(separator);
    menu.Items()->Add(second);
    std::string clicked;
    first->OnClick = TNotifyEvent::FromFunction([&](TObject*) { clicked = "first"; });
    second->OnClick = TNotifyEvent::FromFunction([&](TObject*) { clicked = "second"; });

    HWND owner = Application->Handle();
    // The user: waits for the menu, then Down, Down, Return (the separator is skipped).
    std::atomic<bool> userFoundTheMenu{false};
    std::thread user([&userFoundTheMenu] {
        for (int i = 0; i < 500 && !FindWindowA("#32768", nullptr); ++i)
            Sleep(10);
        HWND menuWindow = FindWindowA("#32768", nullptr);
        if (!menuWindow)
            return;
        userFoundTheMenu = true;
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
            PostMessageA(menuWindow, WM_KEYDOWN, key, 0);
            Sleep(50);
        }
    });
    // The menu's own loop runs this timer: a menu still open when the user
    // gave up is ended here, on the thread that owns it.
    UINT_PTR giveUp = SetTimer(nullptr, 0, 8000, EndTheMenu);
    menu.Popup(100, 100);
    KillTimer(nullptr, giveUp);
    user.join();
    ASSERT_TRUE(userFoundTheMenu) << "the menu never appeared";
    EXPECT_EQ(clicked, "second");
    EXPECT_EQ(FindWindowA("#32768", nullptr) == nullptr || !IsWindowVisible(FindWindowA("#32768", nullptr)), true);
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, owner, WM_NULL, WM_NULL, PM_REMOVE));
}

TEST(VclPopupMenu, SubItemsAreFreedWithTheirParent)
{
    auto* parent = new TMenuItem(nullptr);
    auto* child = new TMenuItem(nullptr);
    parent->Add(child);
    EXPECT_EQ(child->ParentItem(), parent);
    delete child;  // leaves the parent's list
    EXPECT_EQ(parent->Count(), 0);
    parent->Add(new TMenuItem(nullptr));
    delete parent;  // frees the remaining one
}
