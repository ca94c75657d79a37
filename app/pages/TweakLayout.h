#pragma once
// The voltage page ("Advanced Mode"): the free voltage items of the primary
// item set as small bars in up to two groups. The first group holds the
// CPU and chipset voltages; a second group, on boards with DRAM items past
// the fixed slots, holds either the expert options (string items) or the
// DRAM reference voltages. Without that second group the page needs the
// middle window size, with it the large one.

#include <memory>
#include <vector>

#include "app/pages/AdvGroup.h"
#include "app/pages/OcLayout.h"

class TControl;

class TweakLayout : public OcLayout {
public:
    // Groups, tab, then the separator line.
    TweakLayout();
    ~TweakLayout() override;

    void ShowContent(bool show) override;

    const std::vector<std::unique_ptr<AdvGroup>>& GetGroups() const { return m_groups; }
    bool IsContentShown() const { return m_contentShown; }

    // The layout type of the first group on the current board.
    static int FirstGroupType();

private:
    void BuildGroups();

    bool m_contentShown = false;
    std::vector<TControl*> m_plainControls;
    std::vector<std::unique_ptr<AdvGroup>> m_groups;
};
