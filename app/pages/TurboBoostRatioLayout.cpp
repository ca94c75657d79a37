#include "app/pages/TurboBoostRatioLayout.h"

#include <algorithm>

#include "app/bars/AdvCoreBar.h"
#include "app/bars/AdvCoreRatio.h"
#include "app/bars/AdvRatioBarMajor.h"
#include "app/pages/ZendrixLayout.h"
#include "tuning/KyOcRatio.h"

namespace {

constexpr POINT kMajorAt{262, 354};
constexpr POINT kFirstPreviewAt{362, 451};
constexpr int kPreviewDistance = 50;
constexpr POINT kCoreBoxAt{262, 308};
constexpr char kCoreBoxCaption[] = "CPU Core:";

}  // namespace

TurboBoostRatioLayout::TurboBoostRatioLayout() = default;
TurboBoostRatioLayout::~TurboBoostRatioLayout() = default;

void TurboBoostRatioLayout::BuildBars(std::vector<AdvBar*>& bars)
{
    BuildTurbo(bars, 0, 0, 0);
}

void TurboBoostRatioLayout::BuildTurbo(std::vector<AdvBar*>& bars, int barOffset, int boxLeft, int boxTop)
{
    const int cores = static_cast<int>(KyOcRatio::GetInstance().GetCoreCount());
    for (int core = 0; core < cores; ++core) {
        auto* bar = new AdvRatioBarMajor(core);
        AddRatioBar(bars, bar, kMajorAt.x, kMajorAt.y + barOffset);
        bar->SetCoreNumber(0);
    }
    // Previews for the cores below the chosen one, as far as they fit.
    const int previews = std::min(cores, kMaxCoresShown);
    for (int core = 1; core < previews; ++core) {
        auto* preview = new AdvCoreRatio(core);
        preview->Build(Host().Window(), kFirstPreviewAt.x + kPreviewDistance * (core - 1),
                       kFirstPreviewAt.y + barOffset);
        preview->SetVisible(false);
        if (!bars.empty()) {
            preview->SetMax(bars.back()->GetMax());
            preview->SetMin(bars.back()->GetMin());
        }
        m_previews.push_back(preview);
    }
    m_coreBox = new AdvCoreBar();
    m_coreBox->Build(Host().Window(), kCoreBoxAt.x + boxLeft, kCoreBoxAt.y + boxTop);
    m_coreBox->SetCaption(kCoreBoxCaption);
    m_coreBox->SetVisible(false);
    m_coreBox->SetValue(cores - 1);
    m_coreBox->SetOnChange(TNotifyEvent(this, &TurboBoostRatioLayout::UpdateCoreSelection));
    UpdateCoreSelection();
}

int TurboBoostRatioLayout::GetSelectedCore() const
{
    return m_coreBox != nullptr ? m_coreBox->GetValue() : 0;
}

AdvBar* TurboBoostRatioLayout::SelectedBar() const
{
    const std::vector<AdvBar*>& bars = GetBars();
    const int k = GetSelectedCore();
    return k >= 0 && k < static_cast<int>(bars.size()) ? bars[k] : nullptr;
}

void TurboBoostRatioLayout::UpdateCoreSelection(TObject*)
{
    ShowSelection(m_barsShown);
}

void TurboBoostRatioLayout::ShowSelection(bool show)
{
    const std::vector<AdvBar*>& bars = GetBars();
    const int k = GetSelectedCore();
    for (size_t i = 0; i < bars.size(); ++i)
        bars[i]->SetVisible(show && static_cast<int>(i) == k);
    AdvBar* selected = SelectedBar();
    for (size_t j = 0; j < m_previews.size(); ++j) {
        if (selected != nullptr)
            m_previews[j]->SetPosition(selected->GetPosition());
        m_previews[j]->SetVisible(show && static_cast<int>(j) < k);
    }
}

void TurboBoostRatioLayout::ChainChangeHandlers()
{
    if (m_chained)
        return;
    const TNotifyEvent ours(this, &TurboBoostRatioLayout::OnMajorBarChanged);
    for (AdvBar* bar : ZendrixLayout::GetInstance().GetCoreRatioBars()) {
        if (bar->GetOnChange() == ours)
            continue;
        m_barChanged = bar->GetOnChange();
        bar->SetOnChange(ours);
    }
    m_chained = m_barChanged.Assigned();
}

void TurboBoostRatioLayout::OnMajorBarChanged(TObject* sender)
{
    if (AdvBar* selected = SelectedBar()) {
        for (AdvCoreRatio* preview : m_previews)
            preview->SetPosition(selected->GetPosition());
    }
    m_barChanged(sender);
}

void TurboBoostRatioLayout::ShowBars(bool show)
{
    ChainChangeHandlers();
    Host().Picture(HostPicture::kCoreBk)->SetVisible(show);
    InfoLabel()->SetVisible(show);
    m_barsShown = show;
    ShowSelection(show);
    m_coreBox->SetVisible(show);
}
