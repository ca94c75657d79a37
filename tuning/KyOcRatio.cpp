#include "tuning/KyOcRatio.h"

#include <algorithm>
#include <cmath>
#include <memory>

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
#ifdef ZXOCLIB_BUILD
    // The C interface library decides per-core by the status items alone.
    (void)hasItemF9;
#else
    m_hasItemF9 = hasItemF9;
#endif
    m_perCore = m_hasItemF9 || StatusItemsSayPerCore();
}

int KyOcRatio::GetRatioCount() const { return m_item ? m_item->GetValueCount() : 0; }
DWORD KyOcRatio::GetItemId() const { return m_item ? m_item->GetId() : 0; }
int KyOcRatio::GetInfoValue() const { return m_item ? m_item->GetInfoValue() : 0; }
bool KyOcRatio::IsHidden() const { return m_item && m_item->IsHidden(); }
double KyOcRatio::IndexToValue(int index) const { return m_item ? m_item->IndexToValue(index) : 0.0; }

void KyOcRatio::Select(unsigned core) const
{
    if (m_hasSelector)
        SetItemValueMode1(kCoreSelectorItemId, static_cast<int>(core));
}

bool KyOcRatio::ReadCurrent(int* index) const
{
    return m_item && m_item->GetCurrentIndex(index);
}

void KyOcRatio::Write(int index) const
{
    SetItemValue(m_item->GetId(), index, kTuningWriteMode);
}

int KyOcRatio::GetCoreRatio(unsigned core)
{
    if (!m_item || m_coreCount == 0)
        return -1;
    Select(m_perCore ? core : m_coreCount - 1);
    int index = -1;
    return ReadCurrent(&index) ? index : -1;
}

void KyOcRatio::ReadRatios(std::vector<int>& ratios)
{
    ratios.clear();
    if (!m_item || m_coreCount == 0)
        return;
    const unsigned reads = m_perCore ? m_coreCount : 1;
    for (unsigned i = 0; i < reads; ++i) {
        Select(m_perCore ? i : m_coreCount - 1);
        int index = 0;
        if (!ReadCurrent(&index))
            return;
        ratios.push_back(index);
    }
}

bool KyOcRatio::GetCurrentRatio(double* ratio)
{
    std::vector<int> indexes;
    ReadRatios(indexes);
    if (indexes.empty())
        return false;
    // Per-core, the highest core decides whether the clock goes down: a
    // rise on any core must not be taken for a drop.
    double highest = m_item->IndexToValue(indexes[0]);
    for (int index : indexes)
        highest = std::max(highest, m_item->IndexToValue(index));
    *ratio = highest;
    return true;
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

// Per-core: core i takes values[i]. With the per-core turbo item every listed
// core is written and unlisted cores are left alone; without it each core
// is compared with its current index, and cores beyond the list repeat the
// previous value. Not per-core: when the one ratio differs from values[0],
// every core is written with it. After any write the selector goes to "all
// cores" and the last value is written once more.
void KyOcRatio::ApplyRatios(const std::vector<int>& values)
{
    if (!m_item || IsHidden() || m_coreCount == 0 || values.empty())
        return;
    bool wrote = false;
    int last = 0;
    auto write = [&](int value) {
        Write(value);
        wrote = true;
        last = value;
    };

    if (m_perCore) {
        int value = 0;
        for (unsigned i = 0; i < m_coreCount; ++i) {
            Select(i);
            if (m_hasItemF9) {
                if (i < values.size())
                    write(values[i]);
                continue;
            }
            int current = 0;
            const bool read = ReadCurrent(&current);
            if (i < values.size())
                value = values[i];
            // An unread core is written: the list says what it must hold.
            if (!read || value != current)
                write(value);
        }
    } else {
        Select(m_coreCount - 1);
        int current = 0;
        if (!ReadCurrent(&current) || current != values[0]) {
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
