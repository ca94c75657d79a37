#include "app/pages/SingleRatioLotCoreLayout.h"

#include <algorithm>

#include "app/bars/AdvRatioBarMajor.h"
#include "app/bars/AdvRatioBarSmall.h"
#include "tuning/KyOcRatio.h"

namespace {

constexpr POINT kMajorAt{262, 334};
constexpr POINT kFirstSmallAt{362, 431};
constexpr int kSmallDistance = 50;

}  // namespace

void SingleRatioLotCoreLayout::BuildBars(std::vector<AdvBar*>& bars)
{
    AddRatioBar(bars, new AdvRatioBarMajor(0), kMajorAt.x, kMajorAt.y);
    // Further places would leave the window; with one ratio for all cores
    // they would only repeat the first bar.
    const int cores = std::min(static_cast<int>(KyOcRatio::GetInstance().GetCoreCount()), kMaxCoresShown);
    for (int core = 1; core < cores; ++core)
        AddRatioBar(bars, new AdvRatioBarSmall(core), kFirstSmallAt.x + kSmallDistance * (core - 1), kFirstSmallAt.y);
}
