#pragma once
// Popup menus. Popup builds the system menu from the items, brings its
// owner window to the foreground first and posts WM_NULL after, so the menu
// goes away when the user clicks elsewhere, then runs the chosen item's OnClick.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/vcl/Classes.h"

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption) { m_caption = caption; }  // "-" = separator
    bool Checked() const { return m_checked; }
    void SetChecked(bool checked) { m_checked = checked; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    bool Default() const { return m_default; }
    void SetDefault(bool isDefault) { m_default = isDefault; }

    // Sub-items; an item added here is freed with this one.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Clear();
    int Count() const { return static_cast<int>(m_items.size()); }
    TMenuItem* Items(int index) const { return m_items.at(index); }
    TMenuItem* ParentItem() const { return m_parentItem; }
    int IndexOf(TMenuItem* item) const;

    virtual void Click() { OnClick(this); }
    TNotifyEvent OnClick;

private:
    std::string m_caption;
    bool m_checked = false;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_default = false;
    std::vector<TMenuItem*> m_items;
    TMenuItem* m_parentItem = nullptr;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    TMenuItem* Items() { return &m_items; }
    // Shows the menu at the screen point and waits for the choice.
    void Popup(int x, int y);
    TComponent* PopupComponent() const { return m_popupComponent; }
    void SetPopupComponent(TComponent* component) { m_popupComponent = component; }

    TNotifyEvent OnPopup;

private:
    TMenuItem m_items;
    TComponent* m_popupComponent = nullptr;
};
