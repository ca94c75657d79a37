#include "platform/vcl/Menus.h"

#include <algorithm>

#include "platform/vcl/Application.h"

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem()
{
    Destroying();
    Clear();
    if (m_parentItem)
        m_parentItem->Remove(this);
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this)
        return;
    if (item->m_parentItem)
        item->m_parentItem->Remove(item);
    index = std::max(0, std::min(index, Count()));
    m_items.insert(m_items.begin() + index, item);
    item->m_parentItem = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto found = std::find(m_items.begin(), m_items.end(), item);
    if (found == m_items.end())
        return;
    m_items.erase(found);
    item->m_parentItem = nullptr;
}

void TMenuItem::Clear()
{
    while (!m_items.empty()) {
        TMenuItem* item = m_items.back();
        Remove(item);
        delete item;
    }
}

int TMenuItem::IndexOf(TMenuItem* item) const
{
    auto found = std::find(m_items.begin(), m_items.end(), item);
    return found == m_items.end() ? -1 : static_cast<int>(found - m_items.begin());
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), m_items(nullptr) {}

TPopupMenu::~TPopupMenu()
{
    Destroying();
    m_items.Clear();
}

namespace {

void BuildMenu(HMENU menu, TMenuItem* parent, std::vector<TMenuItem*>& byId)
{
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible())
            continue;
        if (item->Caption() == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (item->Checked() ? MF_CHECKED : 0) | (item->Enabled() ? 0 : MF_GRAYED);
        if (item->Count() > 0) {
            HMENU sub = CreatePopupMenu();
            BuildMenu(sub, item, byId);
            AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item->Caption().c_str());
        } else {
            byId.push_back(item);
            AppendMenuA(menu, flags, byId.size(), item->Caption().c_str());
        }
        if (item->Default())
            SetMenuDefaultItem(menu, GetMenuItemCount(menu) - 1, TRUE);
    }
}

}  // namespace

void TPopupMenu::Popup(int x, int y)
{
    OnPopup(this);
    std::vector<TMenuItem*> byId;
    HMENU menu = CreatePopupMenu();
    BuildMenu(menu, &m_items, byId);
    HWND owner = Application->Handle();
    // Without the foreground the menu would not close on a click elsewhere.
    SetForegroundWindow(owner);
    UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (chosen > 0 && chosen <= byId.size())
        byId[chosen - 1]->Click();
}
