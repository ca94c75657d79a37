#include "tuning/KyOcRatio.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "tuning/TuningBuild.h"
#include "tuning/TuningItems.h"

namespace {

constexpr int kPerCoreStatusBit = 0x2;

void ShowGroupUnreadable()
{
    MessageBoxA(nullptr, "Can not get any information from group 3", "AcOcItemSetBase", MB_OK);
}

// Per-core ratios by the status items: both exist, and bit 1 is set in the
// first and, when it can be read, in the second.
bool StatusItemsSayPerCore()
{
    if (!IsItemPresent(kTurboStatusItemId) || !IsItemPresent(kTurboSwitchItemId))
        return false;
    int status = 0;
    if (!ReadItemValue(kTurboStatusItemId, &status) || (status & kPerCoreStatusBit) == 0)
        return false;
    int enable = 0;
    return !ReadItemValue(kTurboSwitchItemId, &enable) || (enable & kPerCoreStatusBit) != 0;
}

}  // namespace

KyOcRatio& KyOcRatio::GetInstance()
{
    static KyOcRatio* instance = new KyOcRatio();  // kept for the process
    return *instance;
}

KyOcRatio::KyOcRatio()
{
    // One walk of the tuning group finds the ratio item, the selector and
    // the per-core turbo item.
    GroupInfoTraverser traverser;
    if (!traverser.Open(kTuningGroup)) {
        ShowGroupUnreadable();
        return;
    }
    int selectorValues = -1;  // -1: no item of the selector's index
    bool hasSelectorId = false;
    bool hasItemF9 = false;
    for (; !traverser.IsEnd(); traverser.Next()) {
        const DWORD id = traverser.GetCurrentId();
        if (!traverser.HasDescriptor() || BiosItemGroup(id) != kTuningGroup)
            continue;
        const int index = BiosItemIndex(id);
        hasSelectorId = hasSelectorId || id == kCoreSelectorItemId;
        hasItemF9 = hasItemF9 || index == kPerCoreTurboItemIndex;
        if (index == kCpuRatioItemIndex && !m_item) {
            m_item = traverser.CreateItem();
        } else if (index == kCoreSelectorItemIndex && selectorValues < 0) {
            std::unique_ptr<BiosItemA> selector(traverser.CreateItem());
            selectorValues = selector ? selector->GetValueCount() : 0;
        }
    }

    if (m_item) {
        m_hasSelector = hasSelectorId;
        m_coreCount = m_hasSelector ? static_cast<unsigned>(std::max(selectorValues, 1)) : 1;
    }
    m_hasItemF9 = hasItemF9 && tuningbuild::UsesPerCoreTurboItem();
    m_perCore = m_hasItemF9 || StatusItemsSayPerCore();
}

int KyOcRatio::GetRatioCount() const
{
    return m_item ? m_item->GetValueCount() : 0;
}
DWORD KyOcRatio::GetItemId() const
{
    return m_item ? m_item->GetId() : 0;
}
int KyOcRatio::GetInfoValue() const
{
    return m_item ? m_item->GetInfoValue() : 0;
}
bool KyOcRatio::IsHidden() const
{
    return m_item && m_item->IsHidden();
}
double KyOcRatio::IndexToValue(int index) const
{
    return m_item ? m_item->IndexToValue(index) : 0.0;
}

void KyOcRatio::Select(unsigned core) const
{
    if (m_hasSelector)
        SetItemValueMode1(kCoreSelectorItemId, static_cast<int>(core));
}

void KyOcRatio::SelectForRead(unsigned core) const
{
    int selected = -1;
    if (m_hasSelector && ReadItemValue(kCoreSelectorItemId, &selected) && selected == static_cast<int>(core))
        return;
    Select(core);
}

bool KyOcRatio::ReadCurrent(int* index) const
{
    return m_item && m_item->GetCurrentIndex(index);
}

void KyOcRatio::Write(int index) const
{
    SetItemValue(m_item->GetId(), index, kTuningWriteMode);
}

bool KyOcRatio::IsInRange(int index) const
{
    return m_item && IsWritableIndex(*m_item, index);
}

int KyOcRatio::GetCoreRatio(unsigned core)
{
    if (!m_item || m_coreCount == 0)
        return -1;
    SelectForRead(m_perCore ? core : m_coreCount - 1);
    int index = -1;
    return ReadCurrent(&index) ? index : -1;
}

void KyOcRatio::ReadRatios(std::vector<int>& ratios)
{
    ratios.clear();
    if (!m_item || m_coreCount == 0)
        return;
    if (!m_perCore) {
        SelectForRead(m_coreCount - 1);
        int index = 0;
        if (ReadCurrent(&index))
            ratios.push_back(index);
        return;
    }
    // An unread core keeps its place: the cores after it stay theirs.
    for (unsigned i = 0; i < m_coreCount; ++i) {
        SelectForRead(i);
        int index = 0;
        ratios.push_back(ReadCurrent(&index) ? index : kUnreadRatio);
    }
}

bool KyOcRatio::GetCurrentRatio(double* ratio)
{
    std::vector<int> indexes;
    ReadRatios(indexes);
    // Per-core, the highest core decides whether the clock goes down: a
    // rise on any core must not be taken for a drop.
    bool any = false;
    double highest = 0;
    for (int index : indexes) {
        if (index == kUnreadRatio)
            continue;
        const double value = m_item->IndexToValue(index);
        highest = any ? std::max(highest, value) : value;
        any = true;
    }
    if (any)
        *ratio = highest;
    return any;
}

bool KyOcRatio::HasFractionalStep() const
{
    // The step between the first two values of the range: extra strings
    // ("Auto") come before it and have no value.
    const auto* number = dynamic_cast<const BiosNumberItemA*>(m_item);
    if (number == nullptr)
        return false;
    const int first = number->GetExtraStringCount();
    const int count = number->GetValueCount() - first;
    if (count <= 0)
        return false;
    double step = number->IndexToValue(first);
    if (count > 1)
        step = number->IndexToValue(first + 1) - step;
    double whole = 0;
    return std::fabs(std::modf(step, &whole)) >= 0.1;
}

// Without the per-core turbo item a list of one value is one ratio for
// every core. Otherwise the list names the cores by position: a core past
// its end, or whose entry is not a value of the ratio item (an unread core
// of a snapshot, a hostile file), is left alone - a neighbour's ratio is
// never spread onto it.
bool KyOcRatio::ValueForCore(const std::vector<int>& values, unsigned core, int* value) const
{
    if (values.size() == 1 && !m_hasItemF9)
        *value = values[0];
    else if (core < values.size())
        *value = values[core];
    else
        return false;
    return IsInRange(*value);
}

// Per-core: each core with a value meant for it is read first; a core that
// cannot be read is not written. With the per-core turbo item the value is
// written even when the core holds it already; without it only a change is
// written. Not per-core: when the one ratio differs from values[0], every
// core is written with it. After any write the selector goes to "all cores"
// and the last value is written once more.
void KyOcRatio::ApplyRatios(const std::vector<int>& values)
{
    if (!m_item || IsHidden() || m_coreCount == 0)
        return;
    if (std::none_of(values.begin(), values.end(), [this](int value) { return IsInRange(value); }))
        return;  // nothing meant for any core: not even the selector moves
    bool wrote = false;
    int last = 0;
    auto write = [&](int value) {
        Write(value);
        wrote = true;
        last = value;
    };

    if (m_perCore) {
        for (unsigned i = 0; i < m_coreCount; ++i) {
            Select(i);
            int value = 0;
            int current = 0;
            if (!ValueForCore(values, i, &value) || !ReadCurrent(&current))
                continue;
            if (m_hasItemF9 || value != current)
                write(value);
        }
    } else {
        Select(m_coreCount - 1);
        int current = 0;
        if (IsInRange(values[0]) && ReadCurrent(&current) && current != values[0]) {
            for (unsigned i = 0; i < m_coreCount; ++i) {
                Select(i);
                write(values[0]);
            }
        }
    }

    if (m_hasSelector && wrote) {
        SetItemValueMode1(kCoreSelectorItemId, kCoreSelectorAllCores);
        Write(last);
    }
}
