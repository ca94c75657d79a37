#include "app/pages/TurboBoostRatioAndKavrinLayout.h"

#include <algorithm>
#include <string>

#include "KyPackage/Source/KyImage.h"
#include "app/bars/AdvBar.h"
#include "app/bars/AdvCoreBar.h"
#include "app/bars/AdvCoreRatio.h"
#include "app/bars/AdvOnOffBar.h"
#include "app/bars/RatioTrack.h"
#include "app/controls/ControlFactory.h"
#include "app/pages/ZendrixLayout.h"
#include "app/protocol/ZendrixMessages.h"
#include "tuning/KyOcRatio.h"

namespace {

// The large bar, the previews and the core count box move to make room.
constexpr int kBarOffset = 18;
constexpr int kBoxLeftOffset = 29;
constexpr int kBoxTopOffset = 20;
constexpr POINT kOnOffBoxAt{231, 300};

constexpr POINT kBigBarAt{258, 355};
constexpr POINT kBigNumeralAt{287, 551};
constexpr POINT kFirstSmallBarAt{359, 456};
constexpr int kSmallBarDistance = 50;
constexpr int kSmallNumeralLeft = 9;  // from its bar's left
constexpr int kSmallNumeralTop = 549;

constexpr char kNumeralFolder[] = "Rome_number\\";

constexpr WPARAM kStateOff = 0;
constexpr WPARAM kStateOn = 1;

KyImage* HiddenImage(int left, int top, const std::string& file)
{
    KyImage* image = CreateKyImage(ZendrixLayout::GetInstance().Host().Window(), left, top, file.c_str());
    image->SetVisible(false);
    return image;
}

}  // namespace

TurboBoostRatioAndKavrinLayout::TurboBoostRatioAndKavrinLayout() = default;

TurboBoostRatioAndKavrinLayout::~TurboBoostRatioAndKavrinLayout()
{
    if (Host().OnCoreUnlock.Object() == this)
        Host().OnCoreUnlock = nullptr;
}

void TurboBoostRatioAndKavrinLayout::BuildBars(std::vector<AdvBar*>& bars)
{
    BuildTurbo(bars, kBarOffset, kBoxLeftOffset, kBoxTopOffset);
    m_onOffBox = new AdvOnOffBar();
    m_onOffBox->Build(Host().Window(), kOnOffBoxAt.x, kOnOffBoxAt.y);
    m_onOffBox->SetVisible(false);
    m_onOffBox->SetOnChange(TNotifyEvent(this, &TurboBoostRatioAndKavrinLayout::OnKavrinBarChanged));
    Host().OnCoreUnlock = TWndMethod(this, &TurboBoostRatioAndKavrinLayout::OnKavrinMessage);
    BuildKavrinImages();
}

void TurboBoostRatioAndKavrinLayout::BuildKavrinImages()
{
    const int shown = std::min(static_cast<int>(KyOcRatio::GetInstance().GetCoreCount()), kMaxCoresShown);
    m_kavrinBars.push_back(HiddenImage(kBigBarAt.x, kBigBarAt.y, "Kavrin\\big_bar01.png"));
    m_kavrinNumerals.push_back(HiddenImage(kBigNumeralAt.x, kBigNumeralAt.y, kNumeralFolder + CoreNumeralFile(0)));
    for (int core = 1; core < shown; ++core) {
        const int left = kFirstSmallBarAt.x + kSmallBarDistance * (core - 1);
        m_kavrinBars.push_back(HiddenImage(left, kFirstSmallBarAt.y, "Kavrin\\small_bar01.png"));
        m_kavrinNumerals.push_back(
            HiddenImage(left + kSmallNumeralLeft, kSmallNumeralTop, kNumeralFolder + CoreNumeralFile(core)));
    }
}

void TurboBoostRatioAndKavrinLayout::OnKavrinMessage(TMessage& message)
{
    if (message.WParam == kStateOn)
        m_onOffBox->SetState(true);
    else if (message.WParam == kStateOff)
        m_onOffBox->SetState(false);
}

void TurboBoostRatioAndKavrinLayout::OnKavrinBarChanged(TObject*)
{
    if (HWND messageWindow = FindWindowA(kMessageWindowClass, kMessageWindowCaption))
        SendMessageA(messageWindow, kMsgCoreUnlockToMain, m_onOffBox->IsOn() ? kStateOn : kStateOff, 0);
    // The feature has written the ratios: every bar shows what the BIOS
    // holds. That is no edit of the user's, so the bars reread without
    // their change callbacks (nothing becomes pending to apply).
    const std::vector<AdvBar*>& bars = ZendrixLayout::GetInstance().GetCoreRatioBars();
    std::vector<TNotifyEvent> callbacks;
    for (AdvBar* bar : bars) {
        callbacks.push_back(bar->GetOnChange());
        bar->SetOnChange(nullptr);
    }
    for (AdvBar* bar : bars)
        bar->Refresh();
    for (size_t i = 0; i < bars.size(); ++i)
        bars[i]->SetOnChange(callbacks[i]);
    UpdateKavrinState();
}

void TurboBoostRatioAndKavrinLayout::ShowKavrinImages(bool show)
{
    for (KyImage* image : m_kavrinBars)
        image->SetVisible(show);
    for (KyImage* image : m_kavrinNumerals)
        image->SetVisible(show);
}

void TurboBoostRatioAndKavrinLayout::UpdateKavrinState()
{
    if (!m_onOffBox->IsVisible())
        return;
    const bool off = !m_onOffBox->IsOn();
    CoreBox()->SetEnabled(off);
    if (AdvBar* selected = SelectedBar())
        selected->SetVisible(off);
    if (off) {
        UpdateCoreSelection();
        ShowKavrinImages(false);
    } else {
        ShowKavrinImages(true);
        for (AdvCoreRatio* preview : GetPreviews())
            preview->SetVisible(false);
    }
}

void TurboBoostRatioAndKavrinLayout::ShowBars(bool show)
{
    TurboBoostRatioLayout::ShowBars(show);
    m_onOffBox->SetVisible(show);
    if (!show)
        ShowKavrinImages(false);
    UpdateKavrinState();
}
