#include "app/pages/MultiRatioLotCoreLayout.h"

#include <algorithm>
#include <cstdio>

#include "KyPackage/Source/KyButton.h"
#include "app/bars/AdvRatioBarRegular.h"
#include "platform/vcl/Label.h"
#include "app/skin/SkinFiles.h"
#include "app/pages/ZendrixLayout.h"
#include "app/skin/image.h"
#include "tuning/KyOcRatio.h"

namespace {

constexpr POINT kFirstBarAt{262, 334};
constexpr int kBarDistance = 90;
constexpr int kButtonLeft = 516;
constexpr int kLowButtonTop = 503;   // the lowest button with more than three groups
constexpr int kHighButtonTop = 421;  // the lowest button otherwise
constexpr int kButtonDistance = 82;
// Buttons above these three would leave the page panel.
constexpr int kMaxButtons = 3;

constexpr char kSliderFolder[] = "AMD\\small_slider\\";
constexpr char kNumeralFolder[] = "AMD\\Rome_number_small\\";
const char* const kBoxSkins[] = {"AMD\\preview\\box_n.png", "AMD\\preview\\box_d.png", "AMD\\preview\\box_o.png"};

// A mini bar's parts inside a preview picture.
constexpr int kFirstPlaceX = 15;
constexpr int kPlaceDistance = 23;
constexpr int kMiniBarTop = 25;
constexpr int kNumeralTop = 13;
constexpr int kFillLeft = 2;
constexpr int kFillBase = 32;
constexpr int kFillHeight = 26;
constexpr int kTopSegmentHeight = 4;

std::unique_ptr<TBitmap> ReadSkin(const std::string& file)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf32bit);
    if (!ReadSkinFile(file, bitmap.get()))
        bitmap->SetSize(0, 0);
    return bitmap;
}

std::string NumeralName(int core)
{
    char name[16];
    std::snprintf(name, sizeof name, "%02d.png", std::min(core, 5) + 1);
    return name;
}

// Blends the whole of `source` (32-bit, own alpha) onto `picture` at (x, y).
void BlendAt(TBitmap* picture, TBitmap* source, int x, int y)
{
    if (source->Width() <= 0 || source->Height() <= 0)
        return;
    const RECT rect{x, y, x + source->Width(), y + source->Height()};
    AlphaBlendRect(picture, rect, source, POINT{0, 0}, 255);
}

// `segment` stretched to `height` rows (its width kept), row by nearest row.
std::unique_ptr<TBitmap> StretchRows(TBitmap* segment, int height)
{
    auto stretched = std::make_unique<TBitmap>();
    stretched->SetPixelFormat(pf32bit);
    stretched->SetSize(segment->Width(), height);
    const size_t rowBytes = static_cast<size_t>(segment->Width()) * 4;
    for (int y = 0; y < height; ++y) {
        const int from = y * segment->Height() / height;
        std::copy_n(static_cast<const BYTE*>(segment->ScanLine(from)), rowBytes,
                    static_cast<BYTE*>(stretched->ScanLine(y)));
    }
    return stretched;
}

}  // namespace

double RatioFraction(int index, int ratioCount)
{
    if (index < 0 || ratioCount <= 1)
        return 0.0;
    return std::clamp(static_cast<double>(index) / (ratioCount - 1), 0.0, 1.0);
}

MultiRatioLotCoreLayout::MultiRatioLotCoreLayout()
    : m_lightDown(ReadSkin(std::string(kSliderFolder) + "small_light_down.png")),
      m_lightMedium(ReadSkin(std::string(kSliderFolder) + "small_light_medium.png")),
      m_lightTop(ReadSkin(std::string(kSliderFolder) + "small_light_top.png")),
      m_slider(ReadSkin(std::string(kSliderFolder) + "small_slider.png"))
{
    const int cores = static_cast<int>(KyOcRatio::GetInstance().GetCoreCount());
    for (int core = 0; core < cores; ++core)
        m_numerals.push_back(ReadSkin(kNumeralFolder + NumeralName(core)));
}

MultiRatioLotCoreLayout::~MultiRatioLotCoreLayout() = default;

int MultiRatioLotCoreLayout::GetGroupCount() const
{
    const int cores = static_cast<int>(KyOcRatio::GetInstance().GetCoreCount());
    return cores <= 0 ? 0 : (cores - 1) / kCoresPerGroup + 1;
}

int MultiRatioLotCoreLayout::GroupOfButton(int button) const
{
    const int groups = GetGroupCount();
    // With more groups than buttons, the buttons stand for the groups that
    // follow the shown one, in turn.
    if (groups - 1 > kMaxButtons)
        return (m_currentGroup + 1 + button) % groups;
    return button < m_currentGroup ? button : button + 1;
}

void MultiRatioLotCoreLayout::BuildBars(std::vector<AdvBar*>& bars)
{
    const int cores = static_cast<int>(KyOcRatio::GetInstance().GetCoreCount());
    for (int core = 0; core < cores; ++core)
        AddRatioBar(bars, new AdvRatioBarRegular(core), kFirstBarAt.x + kBarDistance * (core % kCoresPerGroup),
                    kFirstBarAt.y);
    BuildPreviewButtons();
}

void MultiRatioLotCoreLayout::BuildPreviewButtons()
{
    const int groups = GetGroupCount();
    const int count = std::min(groups - 1, kMaxButtons);
    const int lowest = groups > 3 ? kLowButtonTop : kHighButtonTop;
    for (int i = 0; i < count; ++i) {
        const int top = lowest - kButtonDistance * i;
        auto* button = new KyButton(Host().Window());
        button->SetParent(Host().Window());
        Pristine pristine;
        for (int state = 0; state < 3; ++state) {
            pristine[state] = std::make_unique<TBitmap>();
            LoadSkinOverCore(kBoxSkins[state], pristine[state].get(), kButtonLeft, top);
            button->Appearance()->SetBitmap(pristine[state].get(), state);
        }
        button->SetLeft(kButtonLeft);
        button->SetTop(top);
        button->SetVisible(false);
        button->OnClick = TNotifyEvent(this, &MultiRatioLotCoreLayout::OnPreviewClick);
        m_buttons.push_back(button);
        m_pristine.push_back(std::move(pristine));
    }
}

void MultiRatioLotCoreLayout::ShowBars(bool show)
{
    Host().Picture(HostPicture::kCoreBk)->SetVisible(show);
    InfoLabel()->SetVisible(show);
    ShowCurrentGroup(show);
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->SetVisible(show);
        if (show)
            DrawPreview(static_cast<int>(i));
    }
}

void MultiRatioLotCoreLayout::ShowCurrentGroup(bool show)
{
    const std::vector<AdvBar*>& bars = GetBars();
    for (size_t core = 0; core < bars.size(); ++core)
        bars[core]->SetVisible(show && static_cast<int>(core) / kCoresPerGroup == m_currentGroup);
}

void MultiRatioLotCoreLayout::OnPreviewClick(TObject* sender)
{
    auto found = std::find(m_buttons.begin(), m_buttons.end(), sender);
    if (found == m_buttons.end())
        return;
    m_currentGroup = GroupOfButton(static_cast<int>(found - m_buttons.begin()));
    ShowCurrentGroup(true);
    Refresh();
}

void MultiRatioLotCoreLayout::Refresh()
{
    for (size_t i = 0; i < m_buttons.size(); ++i)
        DrawPreview(static_cast<int>(i));
}

int MultiRatioLotCoreLayout::CoreRatioIndex(int core, int group) const
{
    const std::vector<AdvBar*>& bars = ZendrixLayout::GetInstance().GetCoreRatioBars();
    if (static_cast<int>(bars.size()) >= kCoresPerGroup * (group + 1))
        return bars[core]->GetPosition();
    return KyOcRatio::GetInstance().GetCoreRatio(static_cast<unsigned>(core));
}

void MultiRatioLotCoreLayout::DrawPreview(int button)
{
    const int group = GroupOfButton(button);
    const int cores = static_cast<int>(KyOcRatio::GetInstance().GetCoreCount());
    const int ratioCount = KyOcRatio::GetInstance().GetRatioCount();
    KyButton* control = m_buttons[button];
    for (int state = 0; state < 3; ++state) {
        TBitmap picture;
        picture.Assign(m_pristine[button][state].get());
        for (int place = 0; place < kCoresPerGroup; ++place) {
            const int core = group * kCoresPerGroup + place;
            // A place without a core stays empty: there is nothing to read.
            if (core >= cores)
                continue;
            DrawMiniBar(&picture, place, core, RatioFraction(CoreRatioIndex(core, group), ratioCount));
        }
        control->Appearance()->SetBitmap(&picture, state);
    }
    control->Repaint();
}

void MultiRatioLotCoreLayout::DrawMiniBar(TBitmap* picture, int place, int core, double fraction) const
{
    const int x = kFirstPlaceX + kPlaceDistance * place;
    const int fill = static_cast<int>(fraction * kFillHeight);
    BlendAt(picture, m_slider.get(), x, kMiniBarTop);
    BlendAt(picture, m_lightDown.get(), x + kFillLeft, kMiniBarTop + kFillBase);
    if (fill > 0 && m_lightMedium->Width() > 0 && m_lightMedium->Height() > 0) {
        auto medium = StretchRows(m_lightMedium.get(), fill);
        BlendAt(picture, medium.get(), x + kFillLeft, kMiniBarTop + kFillBase - fill);
    }
    BlendAt(picture, m_lightTop.get(), x + kFillLeft, kMiniBarTop + kFillBase - fill - kTopSegmentHeight);
    BlendAt(picture, m_numerals[core].get(), x, kNumeralTop);
}
