#pragma once
// The ratio page of a board with the per-core turbo item: one large bar
// for the chosen core and a row of small previews for the cores below it.
// The core count box chooses how many cores take the ratio; every large
// bar sits in the same place and only the chosen one shows.

#include <vector>

#include "app/pages/RatioLayout.h"
#include "platform/vcl/Classes.h"

class AdvCoreBar;
class AdvCoreRatio;

class TurboBoostRatioLayout : public RatioLayout {
public:
    TurboBoostRatioLayout();
    ~TurboBoostRatioLayout() override;

    // The core count box's choice: its large bar shows, and the previews of
    // the cores below it take its position.
    void UpdateCoreSelection(TObject* sender = nullptr);
    // A large bar moved: the previews follow, then the bar's own handler.
    void OnMajorBarChanged(TObject* sender);

    AdvCoreBar* CoreBox() const { return m_coreBox; }
    const std::vector<AdvCoreRatio*>& GetPreviews() const { return m_previews; }
    // The chosen index: the box shows it + 1 cores.
    int GetSelectedCore() const;

protected:
    void BuildBars(std::vector<AdvBar*>& bars) override;
    void ShowBars(bool show) override;

    // The large bars `barOffset` lower, the core count box moved by
    // (boxLeft, boxTop).
    void BuildTurbo(std::vector<AdvBar*>& bars, int barOffset, int boxLeft, int boxTop);
    // The large bar of the chosen core; null without bars.
    AdvBar* SelectedBar() const;
    // Hides or shows the chosen core's large bar and the previews below it.
    void ShowSelection(bool show);
    bool AreBarsShown() const { return m_barsShown; }

private:
    // Puts OnMajorBarChanged in front of the handler the controller gave
    // the bars, once there is one.
    void ChainChangeHandlers();

    std::vector<AdvCoreRatio*> m_previews;
    AdvCoreBar* m_coreBox = nullptr;
    TNotifyEvent m_barChanged;  // the bars' own handler, called after ours
    bool m_chained = false;
    bool m_barsShown = false;
};
