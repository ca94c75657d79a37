#pragma once
// The base of the main window's tuning pages: a tab above the page panel,
// and the rules for selecting and showing a page. A page shows its content
// exactly while it is both visible (the window shows its pages) and
// selected (its tab is checked); showing the content may enlarge the
// window.

#include <string>

#include "KyPackage/Source/KyRadioButton.h"
#include "app/pages/PageHost.h"

// Where the tabs stand, left to right.
constexpr int kTabTop = 245;
constexpr int kFirstTabLeft = 27;
constexpr int kSecondTabLeft = 176;
constexpr int kThirdTabLeft = 325;

class OcLayout {
public:
    OcLayout() = default;
    virtual ~OcLayout();
    OcLayout(const OcLayout&) = delete;
    OcLayout& operator=(const OcLayout&) = delete;

    // Rereads what the page shows beside its bars; most pages have nothing.
    virtual void Refresh() {}
    virtual void ShowContent(bool show) = 0;

    // Checks or unchecks the tab; a visible page shows or hides its content.
    void Select(bool selected);
    // Shows or hides the tab, and the content of a selected page with it.
    void SetVisible(bool visible);

    KyRadioButtonTx* Tab() const { return m_tab; }
    bool IsSelected() const { return m_selected; }
    bool IsVisible() const { return m_visible; }

protected:
    // The window the page is built on: the page layout's host.
    static PageHost& Host();
    // The tab at (left, kTabTop): a captioned radio button pre-blended over
    // the page picture, bold light-blue caption, hidden.
    void CreateTab(int left, const char* uncheckedSkin, const char* checkedSkin, const std::string& caption);

private:
    KyRadioButtonTx* m_tab = nullptr;
    bool m_selected = false;
    bool m_visible = false;
};
