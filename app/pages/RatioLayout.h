#pragma once
// The "CPU Ratio" page: the CPU ratio item as one bar per core over the
// CoreBk picture. This class is the base of the five ratio pages and
// itself the page of boards with up to four cores: one regular bar per
// core, side by side. The factory (RatioPageFactory.h) picks the page.
//
// Build is separate from the constructor so that the derived pages' bars
// are built by their own BuildBars.

#include <string>
#include <vector>

#include "app/pages/OcLayout.h"

class AdvBar;
class TLabel;

class RatioLayout : public OcLayout {
public:
    RatioLayout() = default;
    ~RatioLayout() override;

    // Tab, CoreBk, the bars (which become the page layout's core-ratio
    // bars), then the note shown when the BIOS locks the ratio.
    void Build();

    // Showing asks for the large window.
    void ShowContent(bool show) override;

    const std::vector<AdvBar*>& GetBars() const { return m_bars; }
    TLabel* InfoLabel() const { return m_infoLabel; }
    bool IsContentShown() const { return m_contentShown; }

protected:
    virtual void BuildBars(std::vector<AdvBar*>& bars);
    virtual void ShowBars(bool show);

    // A new ratio bar, built on the main form at (left, top), hidden,
    // enabled only while the BIOS lets the ratio change; appended to
    // `bars` and to the layout's bars.
    static void AddRatioBar(std::vector<AdvBar*>& bars, AdvBar* bar, int left, int top);

    // CoreBk, the note and every bar take `show`.
    void ShowPictureAndBars(bool show);

private:
    void BuildInfoLabel();

    bool m_contentShown = false;
    TLabel* m_infoLabel = nullptr;
    std::vector<AdvBar*> m_bars;
};

// The ratio pages show at most this many cores side by side: there are
// numerals up to VI, and a seventh place would leave the window.
constexpr int kMaxCoresShown = 6;
