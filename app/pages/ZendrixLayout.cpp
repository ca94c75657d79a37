#include "app/pages/ZendrixLayout.h"
#include "vessa/System/StepTrace.h"

#include <string>

#include "app/bars/AdvLargeBar.h"
#include "app/controls/ControlFactory.h"
#include "app/pages/GpuLayout.h"
#include "app/pages/TweakLayout.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "tuning/KyOcRatio.h"
#include "vessa/System/KyMultiLang.h"
#include "app/bars/AdvComboBox.h"
#include "app/bars/AdvRatioBar.h"
#include "app/pages/RatioLayout.h"
#include "app/pages/RatioPageFactory.h"

namespace {

constexpr POINT kCloseAt{595, 10};
constexpr POINT kMinimizeAt{569, 10};
constexpr POINT kSaveProfileAt{305, 55};
constexpr int kApplyLeft = 374;
constexpr int kUndoLeft = 508;
constexpr POINT kMoreSettingAt{27, 207};
constexpr POINT kProfileBoxAt{93, 56};
constexpr int kMainBarLeft = 296;
constexpr int kFirstMainBarTop = 94;
constexpr int kMainBarDistance = 28;

constexpr TColor kButtonTextColor = RGB(204, 204, 204);
constexpr TColor kButtonTextLitColor = RGB(155, 230, 253);
constexpr TColor kMoreSettingTextColor = RGB(252, 252, 252);
constexpr TColor kMoreSettingTextLitColor = RGB(60, 231, 249);

const char* const kCloseSkins[] = {"colse_n.png", "colse_d.png", "colse_o.png", nullptr};
const char* const kMinimizeSkins[] = {"small_n.png", "small_d.png", "small_o.png", nullptr};
const char* const kTextButtonSkins[] = {"button01_n.png", "button01_d.png", "button01_o.png", "button01_un.png"};
const char* const kMoreSettingSkins[] = {"more_set_down_n.png", "more_set_down_d.png", "more_set_down_o.png", nullptr,
                                         "more_set_up_n.png",   "more_set_up_d.png",   "more_set_up_o.png",   nullptr};
// German captions are longer: wider pictures.
const char* const kGermanMoreSettingSkins[] = {
    "more_set2_down_n.png", "more_set2_down_d.png", "more_set2_down_o.png", nullptr,
    "more_set2_up_n.png",   "more_set2_up_d.png",   "more_set2_up_o.png",   nullptr};

// Each window size: its face, the row of Apply and Undo, its shadow.
struct SizeLook {
    HostPicture picture;
    int buttonTop;
    void (PageHost::*shadow)();
};
const SizeLook kSizeLooks[] = {
    {HostPicture::kSmallBk, 207, &PageHost::ShowSmallShadow},
    {HostPicture::kMiddleBk, 449, &PageHost::ShowMiddleShadow},
    {HostPicture::kLargeBk, 603, &PageHost::ShowLargeShadow},
};

std::string Translate(const char* key)
{
    return vessa::KyMultiLang::Instance().Translate(key);
}

AlphaButton* MakeTextButton(int left, int top, const char* key)
{
    AlphaButton* button = nullptr;
    CreateAlphaButton(button, left, top, kTextButtonSkins, Translate(key).c_str(), nullptr, true);
    button->Font()->SetColor(kButtonTextColor);
    button->FontColors()->SetFocused(kButtonTextLitColor);
    button->FontColors()->SetSunken(kButtonTextLitColor);
    return button;
}

KyCheckBoxTx* MakeMoreSettingBox()
{
    const bool german = IsGermanLanguage();
    KyCheckBoxTx* box = nullptr;
    CreateCheckBoxTx(box, kMoreSettingAt.x, kMoreSettingAt.y, german ? kGermanMoreSettingSkins : kMoreSettingSkins,
                     nullptr, true);
    box->SetText(Translate("More Setting"));
    box->Font()->SetColor(kMoreSettingTextColor);
    box->FontColors()->Uncheck()->SetFocused(kMoreSettingTextLitColor);
    box->FontColors()->Uncheck()->SetSunken(kMoreSettingTextLitColor);
    box->FontColors()->Check()->SetFocused(kMoreSettingTextLitColor);
    box->FontColors()->Check()->SetSunken(kMoreSettingTextLitColor);
    // The caption's rectangle: left, top, right, bottom.
    RECT text{4, 0, 90, 20};
    if (german) {
        text = RECT{4, 0, 140, 20};
    } else if (IsJapaneseLanguage()) {
        text = RECT{4, 2, 90, 24};
        box->Font()->SetCharset(vessa::kJapaneseCharSet);
    }
    box->SetTextBounds(text.left, text.top, text.right - text.left, text.bottom - text.top);
    return box;
}

}  // namespace

int ZendrixLayout::ButtonRowTop(Size size)
{
    return kSizeLooks[size].buttonTop;
}

ZendrixLayout& ZendrixLayout::GetInstance()
{
    static ZendrixLayout* layout = new ZendrixLayout();  // kept for the process
    return *layout;
}

void ZendrixLayout::Build(PageHost& host)
{
    m_host = &host;
    SetSkinHost(&host.Skin());
    BuildButtons();
    vessa::StepTrace::Mark("window buttons built");
    BuildMainBars();
    vessa::StepTrace::Mark("main bars built");
    BuildProfileBox();
    vessa::StepTrace::Mark("profile box built");
    BuildPages();
}

void ZendrixLayout::BuildButtons()
{
    CreateAlphaButton(m_host->CloseButton, kCloseAt.x, kCloseAt.y, kCloseSkins, nullptr, Translate("Close").c_str(),
                      true);
    CreateAlphaButton(m_host->MinimizeButton, kMinimizeAt.x, kMinimizeAt.y, kMinimizeSkins, nullptr,
                      Translate("Minimize").c_str(), true);
    m_host->SaveProfileButton = MakeTextButton(kSaveProfileAt.x, kSaveProfileAt.y, "Save Profile");
    const int buttonTop = kSizeLooks[kCollapsed].buttonTop;
    m_host->ApplyButton = MakeTextButton(kApplyLeft, buttonTop, "Apply");
    m_host->UndoButton = MakeTextButton(kUndoLeft, buttonTop, "Undo");
    m_host->MoreSettingBox = MakeMoreSettingBox();
}

void ZendrixLayout::BuildMainBars()
{
    const KyOcPrimaryItemSet& set = KyOcPrimaryItemSet::GetInstance();
    for (int slot = KyOcPrimaryItemSet::kFsbSlot; slot <= KyOcPrimaryItemSet::kNbCoreVoltageSlot; ++slot) {
        BiosItemA* item = set.GetItem(slot);
        if (item == nullptr || item->IsHidden())
            continue;
        auto* bar = new AdvLargeBar(slot);
        const int n = static_cast<int>(m_mainBars.size());
        bar->Build(*m_host, kMainBarLeft, kFirstMainBarTop + kMainBarDistance * n);
        m_mainBars.push_back(bar);
        AddBar(bar, bar->GetItemId());
    }
}

void ZendrixLayout::BuildProfileBox()
{
    m_profileBox = new AdvComboBox(*m_host, kProfileBoxAt.x, kProfileBoxAt.y);
    m_profileBox->SetCaption(Translate("ProfilesTitle"));
}

void ZendrixLayout::BuildPages()
{
    m_pages.push_back(new TweakLayout());
    vessa::StepTrace::Mark("tweak page built");
    const bool hasRatioPage = KyOcRatio::GetInstance().GetCoreCount() != 0;
    if (hasRatioPage)
        m_pages.push_back(CreateRatioPage());
    vessa::StepTrace::Mark("ratio page built");
    const bool hasGraphicsPage = KyOcPrimaryItemSet::GetInstance().IsPelorusDriverInstalled();
    if (hasGraphicsPage)
        m_pages.push_back(new GpuLayout(hasRatioPage));
    vessa::StepTrace::Mark("graphics page built");
    for (OcLayout* page : m_pages)
        page->Tab()->OnClick = TNotifyEvent(this, &ZendrixLayout::OnTabClick);

    if (hasGraphicsPage) {
        OnTabClick(m_pages.back()->Tab());
        m_host->MoreSettingBox->SetChecked(true);
        ShowPages();
    } else {
        OnTabClick(m_pages.front()->Tab());
        Collapse();
    }
}

AdvBar* ZendrixLayout::GetBarByItem(DWORD itemId) const
{
    auto found = m_barByItem.find(itemId);
    return found != m_barByItem.end() ? found->second : nullptr;
}

void ZendrixLayout::AddBar(AdvBar* bar, DWORD itemId)
{
    m_allBars.push_back(bar);
    if (itemId != 0)
        m_barByItem[itemId] = bar;
}

void ZendrixLayout::SetCoreRatioBars(const std::vector<AdvBar*>& bars)
{
    m_coreRatioBars = bars;
    // With one ratio for all cores, the bars of this list follow each other.
    AdvRatioBar::SetCoreRatioBars(&m_coreRatioBars);
}

void ZendrixLayout::SetSize(Size size)
{
    const SizeLook& look = kSizeLooks[size];
    TImage* picture = m_host->ShownPicture(look.picture);
    TImage* background = m_host->Picture(HostPicture::kBackground);
    background->Picture()->Assign(picture->Picture());
    background->SetAutoSize(true);
    m_host->Window()->SetClientSize(picture->Width(), picture->Height());
    // The buttons blend again over the new face at their new place.
    m_host->ApplyButton->SetTop(look.buttonTop);
    m_host->UndoButton->SetTop(look.buttonTop);
    m_size = size;
    // A window grown past the screen's bottom would hide Apply and Undo.
    m_host->KeepInsideWorkArea();
    ShowShadow();
    m_host->ApplyButton->Repaint();
}

void ZendrixLayout::ShowShadow()
{
    if (m_host != nullptr)
        (m_host->*kSizeLooks[m_size].shadow)();
}

void ZendrixLayout::Collapse()
{
    SetSize(kCollapsed);
    for (OcLayout* page : m_pages)
        page->SetVisible(false);
    m_expanded = false;
}

void ZendrixLayout::ShowPages()
{
    for (OcLayout* page : m_pages)
        page->SetVisible(true);
    m_host->ApplyButton->Repaint();
    m_expanded = true;
}

void ZendrixLayout::ExpandMiddle()
{
    if (m_size == kMiddle)
        return;
    SetSize(kMiddle);
    for (AdvLargeBar* bar : m_mainBars)
        bar->ReblendButtons();
}

void ZendrixLayout::ExpandLarge()
{
    if (m_size == kLarge)
        return;
    SetSize(kLarge);
    for (AdvLargeBar* bar : m_mainBars)
        bar->ReblendButtons();
}

void ZendrixLayout::RefreshPages()
{
    for (OcLayout* page : m_pages) {
        if (page->Tab()->Visible())
            page->Refresh();
    }
}

void ZendrixLayout::OnTabClick(TObject* sender)
{
    // The page that goes first, so that two pages never show at once.
    for (OcLayout* page : m_pages) {
        if (page->Tab() != sender)
            page->Select(false);
    }
    for (OcLayout* page : m_pages) {
        if (page->Tab() == sender)
            page->Select(true);
    }
}
