#pragma once
// The ratio page of a board with more than four cores and a ratio per core:
// the cores in groups of three, one group of bars shown at a time. Each
// other group has a preview button at the right that draws its three
// ratios as small bars; a click on it shows that group.

#include <array>
#include <memory>
#include <vector>

#include "app/pages/RatioLayout.h"
#include "platform/vcl/Bitmap.h"

class KyButton;
class TObject;

class MultiRatioLotCoreLayout : public RatioLayout {
public:
    static constexpr int kCoresPerGroup = 3;

    MultiRatioLotCoreLayout();
    ~MultiRatioLotCoreLayout() override;

    // Draws the previews again (the ratios may have changed).
    void Refresh() override;
    void OnPreviewClick(TObject* sender);

    int GetCurrentGroup() const { return m_currentGroup; }
    int GetGroupCount() const;
    // The group that preview button `button` stands for.
    int GroupOfButton(int button) const;
    const std::vector<KyButton*>& GetPreviewButtons() const { return m_buttons; }

protected:
    void BuildBars(std::vector<AdvBar*>& bars) override;
    void ShowBars(bool show) override;

private:
    // A button's three state pictures as blended over CoreBk, kept clean.
    using Pristine = std::array<std::unique_ptr<TBitmap>, 3>;

    void BuildPreviewButtons();
    void ShowCurrentGroup(bool show);
    void DrawPreview(int button);
    // The value index of `core`: its bar's position when the page has the
    // bars of the whole group, else the BIOS value; -1 when unknown.
    int CoreRatioIndex(int core, int group) const;
    void DrawMiniBar(TBitmap* picture, int place, int core, double fraction) const;

    int m_currentGroup = 0;
    std::vector<KyButton*> m_buttons;
    std::vector<Pristine> m_pristine;
    std::unique_ptr<TBitmap> m_lightDown;
    std::unique_ptr<TBitmap> m_lightMedium;
    std::unique_ptr<TBitmap> m_lightTop;
    std::unique_ptr<TBitmap> m_slider;
    std::vector<std::unique_ptr<TBitmap>> m_numerals;  // one per core
};

// How much of the ratio range value index `index` fills, 0 ... 1: 0 for an
// unknown index (a failed read gives -1) and for a range of one value.
double RatioFraction(int index, int ratioCount);
