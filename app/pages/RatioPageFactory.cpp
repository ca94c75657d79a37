#include "app/pages/RatioPageFactory.h"

#include "app/pages/MultiRatioLotCoreLayout.h"
#include "app/pages/SingleRatioLotCoreLayout.h"
#include "app/pages/TurboBoostRatioAndKavrinLayout.h"
#include "tuning/CpuModel.h"
#include "tuning/KyOcRatio.h"

namespace {

constexpr unsigned kMostCoresSideBySide = 4;

}  // namespace

RatioPageKind ChooseRatioPage()
{
    const KyOcRatio& ratio = KyOcRatio::GetInstance();
    if (ratio.HasRatioItemF9())
        return IsTurboBoostSupported() ? RatioPageKind::kTurboAndKavrin : RatioPageKind::kTurbo;
    if (ratio.GetCoreCount() <= kMostCoresSideBySide)
        return RatioPageKind::kPlain;
    return ratio.IsPerCore() ? RatioPageKind::kMultiCore : RatioPageKind::kSingleRatio;
}

RatioLayout* CreateRatioPage()
{
    RatioLayout* page = nullptr;
    switch (ChooseRatioPage()) {
    case RatioPageKind::kTurboAndKavrin:
        page = new TurboBoostRatioAndKavrinLayout();
        break;
    case RatioPageKind::kTurbo:
        page = new TurboBoostRatioLayout();
        break;
    case RatioPageKind::kPlain:
        page = new RatioLayout();
        break;
    case RatioPageKind::kMultiCore:
        page = new MultiRatioLotCoreLayout();
        break;
    case RatioPageKind::kSingleRatio:
        page = new SingleRatioLotCoreLayout();
        break;
    }
    page->Build();
    return page;
}
