#pragma once
// The graphics-boost page ("Pelorus"): one bar per graphics-boost item of
// the primary item set, and the "Easy Mode" link switch that makes the
// first bar move the second from the BIOS's boost table.

#include <vector>

#include "app/pages/OcLayout.h"

class AdvGpuBar;
class KyCheckBoxTx;
class TObject;

class GpuLayout : public OcLayout {
public:
    // Tab (beside the ratio tab when there is a ratio page, else in its
    // place), bars, then the link box.
    explicit GpuLayout(bool hasRatioPage);

    void ShowContent(bool show) override;
    // The link box's click: couples the first bar to the second, which the
    // user then cannot move himself.
    void OnLinkClick(TObject* sender);

    const std::vector<AdvGpuBar*>& GetBars() const { return m_bars; }
    KyCheckBoxTx* LinkBox() const { return m_linkBox; }
    bool IsContentShown() const { return m_contentShown; }

private:
    // One bar per graphics-boost item while the bar ends above BarsBottom;
    // the items after get no bar and are traced.
    void BuildBars();
    static int BarsBottom();
    void BuildLinkBox();

    bool m_contentShown = false;
    std::vector<AdvGpuBar*> m_bars;
    KyCheckBoxTx* m_linkBox = nullptr;
};
