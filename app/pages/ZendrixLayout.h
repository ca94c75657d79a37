#pragma once
// Everything inside the main window: its buttons, the four main value bars,
// the profile box and the tuning pages with their tabs, and the window's
// three sizes: collapsed (the main bars only), middle and large (a page
// open underneath), each with its drop shadow.
//
// One instance, built once by the controller; the controller then wires
// the buttons and walks the bar lists to apply, undo and refresh.

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "app/pages/PageHost.h"
#include "platform/vcl/Classes.h"

class AdvBar;
class AdvComboBox;
class AdvLargeBar;
class OcLayout;
class TImage;

class ZendrixLayout {
public:
    enum Size { kCollapsed = 0, kMiddle = 1, kLarge = 2 };

    static ZendrixLayout& GetInstance();

    // Buttons, main bars, profile box, then the pages, on `host` (kept for
    // the layout's life, and made the skin host); every bar reads its
    // item's current value while it is placed.
    void Build(PageHost& host);
    // The host given to Build.
    PageHost& Host() const { return *m_host; }

    // The collapsed size; the pages hidden.
    void Collapse();
    // Every page's tab shown; the selected page shows its content and asks
    // for its size.
    void ShowPages();
    // Nothing when the window already has that size.
    void ExpandMiddle();
    void ExpandLarge();
    // The drop shadow of the current size.
    void ShowShadow();
    // Refresh of every page whose tab shows.
    void RefreshPages();
    // A tab's click: its page is selected, every other one deselected.
    void OnTabClick(TObject* sender);

    // Every value bar of the window, in creation order.
    const std::vector<AdvBar*>& GetAllBars() const { return m_allBars; }
    // The bar that shows an item; null for none.
    AdvBar* GetBarByItem(DWORD itemId) const;
    // The ratio page's per-core bars; bar i belongs to core i.
    const std::vector<AdvBar*>& GetCoreRatioBars() const { return m_coreRatioBars; }
    const std::vector<AdvLargeBar*>& GetMainBars() const { return m_mainBars; }
    const std::vector<OcLayout*>& GetPages() const { return m_pages; }
    AdvComboBox* GetProfileBox() const { return m_profileBox; }
    bool IsExpanded() const { return m_expanded; }
    Size GetSize() const { return m_size; }

    // For the pages: a new bar joins the bar list, and the bar map under
    // `itemId` (not when 0).
    void AddBar(AdvBar* bar, DWORD itemId);
    // Enters `bar` in the bar map under `itemId`.
    void SetBarForItem(DWORD itemId, AdvBar* bar) { m_barByItem[itemId] = bar; }
    // For the ratio page: its bars become the core-ratio bars.
    void SetCoreRatioBars(const std::vector<AdvBar*>& bars);

private:
    ZendrixLayout() = default;

    void BuildButtons();
    void BuildMainBars();
    void BuildProfileBox();
    void BuildPages();
    void SetSize(Size size);

    PageHost* m_host = nullptr;
    AdvComboBox* m_profileBox = nullptr;
    std::vector<AdvBar*> m_allBars;
    std::map<DWORD, AdvBar*> m_barByItem;
    std::vector<AdvBar*> m_coreRatioBars;
    bool m_expanded = false;
    std::vector<AdvLargeBar*> m_mainBars;
    std::vector<OcLayout*> m_pages;
    Size m_size = kCollapsed;
};
