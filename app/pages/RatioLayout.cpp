#include "app/pages/RatioLayout.h"

#include "app/bars/AdvRatioBarRegular.h"
#include "app/controls/ControlFactory.h"
#include "app/pages/ZendrixLayout.h"
#include "tuning/KyOcRatio.h"
#include "platform/vcl/Label.h"
#include "vessa/System/KyMultiLang.h"

namespace {

constexpr POINT kPictureAt{29, 279};
constexpr POINT kFirstBarAt{262, 334};
constexpr int kBarDistance = 90;
constexpr RECT kInfoBounds{48, 550, 48 + 552, 550 + 40};
constexpr char kInfoFont[] = "Arial";
constexpr int kInfoFontHeight = -12;
constexpr TColor kInfoColor = RGB(255, 216, 25);

}  // namespace

RatioLayout::~RatioLayout() = default;

void RatioLayout::Build()
{
    CreateTab(kSecondTabLeft, "tab02_down.png", "tab02_up.png", vessa::KyMultiLang::Instance().Translate("CPU Ratio"));
    TImage* picture = Host().Picture(HostPicture::kCoreBk);
    picture->SetAutoSize(true);
    picture->SetLeft(kPictureAt.x);
    picture->SetTop(kPictureAt.y);

    std::vector<AdvBar*> bars;
    BuildBars(bars);
    m_bars = bars;
    KyOcRatio& ratio = KyOcRatio::GetInstance();
    if (ratio.GetCoreCount() != 0) {
        ZendrixLayout& layout = ZendrixLayout::GetInstance();
        layout.SetCoreRatioBars(m_bars);
        if (!m_bars.empty())
            layout.SetBarForItem(ratio.GetItemId(), m_bars.front());
    }
    BuildInfoLabel();
}

void RatioLayout::BuildInfoLabel()
{
    m_infoLabel = new TLabel(Host().Window());
    m_infoLabel->SetParent(Host().Window());
    m_infoLabel->SetWordWrap(true);
    m_infoLabel->SetAutoSize(false);
    m_infoLabel->SetBounds(kInfoBounds.left, kInfoBounds.top, kInfoBounds.right - kInfoBounds.left,
                           kInfoBounds.bottom - kInfoBounds.top);
    TFont* font = m_infoLabel->Font();
    font->SetName(kInfoFont);
    font->SetHeight(kInfoFontHeight);
    font->SetColor(kInfoColor);
    m_infoLabel->SetTransparent(true);
    m_infoLabel->SetVisible(false);
    KyOcRatio& ratio = KyOcRatio::GetInstance();
    if (ratio.GetCoreCount() != 0 && ratio.IsHidden()) {
        m_infoLabel->SetText(vessa::KyMultiLang::Instance().Translate("CpuRatioDisable"));
        if (IsJapaneseLanguage())
            font->SetCharset(vessa::kJapaneseCharSet);
    }
}

void RatioLayout::BuildBars(std::vector<AdvBar*>& bars)
{
    const int cores = static_cast<int>(KyOcRatio::GetInstance().GetCoreCount());
    for (int core = 0; core < cores; ++core)
        AddRatioBar(bars, new AdvRatioBarRegular(core), kFirstBarAt.x + kBarDistance * core, kFirstBarAt.y);
}

void RatioLayout::AddRatioBar(std::vector<AdvBar*>& bars, AdvBar* bar, int left, int top)
{
    bar->Build(Host(), left, top);
    bar->SetVisible(false);
    bar->SetEnabled(!KyOcRatio::GetInstance().IsHidden());
    bars.push_back(bar);
    ZendrixLayout::GetInstance().AddBar(bar, 0);
}

void RatioLayout::ShowContent(bool show)
{
    if (show) {
        ZendrixLayout::GetInstance().ExpandLarge();
        ShowBars(true);
    } else {
        ShowBars(false);
    }
    m_contentShown = show;
}

void RatioLayout::ShowPictureAndBars(bool show)
{
    Host().Picture(HostPicture::kCoreBk)->SetVisible(show);
    m_infoLabel->SetVisible(show);
    for (AdvBar* bar : m_bars)
        bar->SetVisible(show);
}

void RatioLayout::ShowBars(bool show)
{
    ShowPictureAndBars(show);
}
