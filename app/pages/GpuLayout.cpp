#include "app/pages/GpuLayout.h"

#include <algorithm>

#include "app/bars/AdvGpuBar.h"
#include "app/controls/ControlFactory.h"
#include "app/pages/AdvGroup.h"
#include "app/pages/ZendrixLayout.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "vessa/System/Source/DebugTrace.h"

namespace {

constexpr char kTabCaption[] = "Pelorus";
constexpr char kLinkHint[] = "Easy Mode";
constexpr POINT kPictureAt{29, 279};
constexpr POINT kFirstBarAt{450, 324};
constexpr int kBarDistance = 50;
constexpr POINT kLinkBoxAt{560, 335};

// The graphics core clock and the graphics memory clock.
bool IsGraphicsBoostItem(DWORD id)
{
    const DWORD low = id & 0xFF;
    return low == 0x60 || low == 0x61;
}

}  // namespace

GpuLayout::GpuLayout(bool hasRatioPage)
{
    CreateTab(hasRatioPage ? kThirdTabLeft : kSecondTabLeft, "tab02_down.png", "tab02_up.png", kTabCaption);
    TImage* picture = Host().Picture(HostPicture::kGpuBk);
    picture->SetAutoSize(true);
    picture->SetLeft(kPictureAt.x);
    picture->SetTop(kPictureAt.y);
    BuildBars();
    BuildLinkBox();
}

int GpuLayout::BarsBottom()
{
    // The bars stay on the page's panel, and in any case above the buttons
    // of the middle window the page shows in.
    const int buttons = ZendrixLayout::ButtonRowTop(ZendrixLayout::kMiddle);
    TImage* panel = Host().Picture(HostPicture::kGpuBk);
    return panel->Height() > 0 ? std::min(buttons, panel->Top() + panel->Height()) : buttons;
}

void GpuLayout::BuildBars()
{
    const KyOcPrimaryItemSet& set = KyOcPrimaryItemSet::GetInstance();
    for (int position = KyOcPrimaryItemSet::kFirstFreePosition; position < set.GetItemCount(); ++position) {
        BiosItemA* item = set.GetItem(position);
        if (item == nullptr || !IsGraphicsBoostItem(item->GetId()))
            continue;
        const int top = kFirstBarAt.y + kBarDistance * static_cast<int>(m_bars.size());
        if (top + AdvGroup::kBarExtent > BarsBottom()) {
            DebugTrace("Zendrix: no room for item %x on the graphics page", static_cast<unsigned>(item->GetId()));
            continue;
        }
        auto* bar = new AdvGpuBar(position);
        bar->Build(Host(), kFirstBarAt.x, top);
        bar->SetVisible(false);
        m_bars.push_back(bar);
        ZendrixLayout::GetInstance().AddBar(bar, bar->GetItemId());
    }
    if (m_bars.size() >= 2)
        m_bars[0]->AddLinkedBar(m_bars[1]);
}

void GpuLayout::BuildLinkBox()
{
    const char* const skins[] = {"link_button_n.png",   "link_button_d.png",   "link_button_o.png",   nullptr,
                                 "link_button02_n.png", "link_button02_d.png", "link_button02_o.png", nullptr};
    CreateMiddleCheckBoxTx(m_linkBox, kLinkBoxAt.x, kLinkBoxAt.y, skins, kLinkHint, true);
    m_linkBox->OnClick = TNotifyEvent(this, &GpuLayout::OnLinkClick);
    m_linkBox->SetChecked(false);
    m_linkBox->SetVisible(false);
}

void GpuLayout::OnLinkClick(TObject*)
{
    if (m_bars.size() < 2)
        return;
    const bool linked = m_linkBox->Checked();
    m_bars[0]->SetLinked(linked);
    m_bars[1]->SetEnabled(!linked);
}

void GpuLayout::ShowContent(bool show)
{
    if (show)
        ZendrixLayout::GetInstance().ExpandMiddle();
    for (AdvGpuBar* bar : m_bars) {
        bar->SetVisible(show);
        if (show)
            bar->ReblendButtons();
    }
    TImage* panel = show ? Host().ShownPicture(HostPicture::kGpuBk) : Host().Picture(HostPicture::kGpuBk);
    panel->SetVisible(show);
    m_linkBox->SetVisible(show);
    if (show)
        m_linkBox->Repaint();
    m_contentShown = show;
}
