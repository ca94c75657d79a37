#include "app/pages/TweakLayout.h"

#include <string>

#include "KyPackage/Source/KyImage.h"
#include "app/controls/ControlFactory.h"
#include "app/pages/ZendrixLayout.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "vessa/System/KyMultiLang.h"

namespace {

constexpr int kVoltUnit = 2;
constexpr int kRatioUnit = 12;
constexpr int kStringUnit = 8;
constexpr int kDramIndexGroup = 3;
constexpr int kGraphicsIndexGroup = 6;
// A value text longer than this needs the narrow labels.
constexpr size_t kWideValueText = 5;

constexpr POINT kFirstGroupAt{39, 295};
constexpr POINT kSecondGroupAt{39, 458};
constexpr POINT kSeparatorAt{41, 435};

int UnitCode(DWORD id)
{
    return static_cast<int>((id >> 16) & 0xF);
}
int IndexGroup(DWORD id)
{
    return static_cast<int>((id >> 4) & 0xF);
}

// A CPU or chipset voltage: volts, neither DRAM nor graphics.
bool IsChipVoltage(DWORD id)
{
    return UnitCode(id) == kVoltUnit && IndexGroup(id) != kDramIndexGroup && IndexGroup(id) != kGraphicsIndexGroup;
}

bool IsDramReference(DWORD id)
{
    return IndexGroup(id) == kDramIndexGroup && (UnitCode(id) == kVoltUnit || UnitCode(id) == kRatioUnit);
}

bool IsExpertOption(DWORD id)
{
    return UnitCode(id) == kStringUnit;
}

// Positions of the free items that pass `test`, in item order.
template <class Test>
std::vector<int> FreePositions(Test test)
{
    std::vector<int> positions;
    const KyOcPrimaryItemSet& set = KyOcPrimaryItemSet::GetInstance();
    for (int position = KyOcPrimaryItemSet::kFirstFreePosition; position < set.GetItemCount(); ++position) {
        BiosItemA* item = set.GetItem(position);
        if (item != nullptr && test(item->GetId()))
            positions.push_back(position);
    }
    return positions;
}

}  // namespace

int TweakLayout::FirstGroupType()
{
    int type = IsDramGroupEmpty() ? AdvGroup::kWideRows : AdvGroup::kNarrowRows;
    const KyOcPrimaryItemSet& set = KyOcPrimaryItemSet::GetInstance();
    for (int position : FreePositions(IsChipVoltage)) {
        std::string text;
        if (set.GetItem(position)->GetCurrentString(&text) && text.size() > kWideValueText)
            type = AdvGroup::kNarrowLabels;
    }
    if (HasExpertOptionItems() && type != AdvGroup::kNarrowLabels)
        type = AdvGroup::kWideRowsPlain;
    return type;
}

TweakLayout::TweakLayout()
{
    BuildGroups();
    CreateTab(kFirstTabLeft, "tab01_down.png", "tab01_up.png",
              vessa::KyMultiLang::Instance().Translate("Advanced Mode"));
    KyImage* separator = CreateKyImage(Host().Window(), kSeparatorAt.x, kSeparatorAt.y, "line01.png");
    separator->SetVisible(false);
    m_plainControls.push_back(separator);
}

TweakLayout::~TweakLayout() = default;

void TweakLayout::BuildGroups()
{
    int type = FirstGroupType();
    // The first group ends above the separator. Rows 45 apart that cannot
    // hold its items give way to rows 31 apart, which hold more.
    const std::vector<int> chip = FreePositions(IsChipVoltage);
    int firstType = type;
    if ((type == AdvGroup::kWideRows || type == AdvGroup::kWideRowsPlain) &&
        static_cast<int>(chip.size()) > AdvGroup::Capacity(type, kFirstGroupAt.y, kSeparatorAt.y))
        firstType = AdvGroup::kNarrowRows;
    auto first = std::make_unique<AdvGroup>("cpu_chipset_icon.png", "CPU/Chip Voltage", kFirstGroupAt.x,
                                            kFirstGroupAt.y, firstType);
    first->AddBarsAbove(chip, kSeparatorAt.y);
    m_groups.push_back(std::move(first));

    if (HasExpertOptionItems() && type != AdvGroup::kNarrowLabels)
        type = AdvGroup::kOneColumn;
    if (IsDramGroupEmpty())
        return;
    // The second group shows only in the large window.
    const int bottom = ZendrixLayout::ButtonRowTop(ZendrixLayout::kLarge);
    std::unique_ptr<AdvGroup> second;
    if (type == AdvGroup::kOneColumn) {
        second = std::make_unique<AdvGroup>("misc_icon.png", "Expert Option", kSecondGroupAt.x, kSecondGroupAt.y, type);
        second->AddBarsAbove(FreePositions(IsExpertOption), bottom);
    } else {
        second = std::make_unique<AdvGroup>("dram_icon.png", "DRAM Reference Voltage", kSecondGroupAt.x,
                                            kSecondGroupAt.y, type);
        second->AddBarsAbove(FreePositions(IsDramReference), bottom);
    }
    m_groups.push_back(std::move(second));
}

void TweakLayout::ShowContent(bool show)
{
    m_contentShown = show;
    if (show) {
        if (IsDramGroupEmpty())
            ZendrixLayout::GetInstance().ExpandMiddle();
        else
            ZendrixLayout::GetInstance().ExpandLarge();
    }
    for (const auto& group : m_groups)
        group->SetVisible(show);
    for (TControl* control : m_plainControls)
        control->SetVisible(show);
}
