#include "ocapi/OcSlotItems.h"

#include <memory>

namespace ocapi {

namespace {

constexpr int kTuningGroup = 3;
constexpr int kSlotIndexes[] = {0x11, 0x12, 0x32, 0x15};  // by TuningSlot

// Group 3 read once per process, as the program's item set reads it: hidden
// items stay out, and the visible item of each slot's index fills the slot.
class SlotTable {
public:
    static const SlotTable& Instance()
    {
        static const SlotTable* table = new SlotTable();  // kept for the process
        return *table;
    }

    const BiosItemA* Item(TuningSlot slot) const { return m_items[static_cast<int>(slot)].get(); }

private:
    SlotTable()
    {
        GroupInfoTraverser traverser;
        if (!traverser.Open(kTuningGroup))
            return;
        for (; !traverser.IsEnd(); traverser.Next()) {
            std::unique_ptr<BiosItemA> item(traverser.CreateItem());
            if (!item || item->IsHidden())
                continue;
            for (int slot = 0; slot < kSlotCount; ++slot) {
                if (BiosItemIndex(item->GetId()) == kSlotIndexes[slot]) {
                    m_items[slot] = std::move(item);
                    break;
                }
            }
        }
    }

    static constexpr int kSlotCount = sizeof kSlotIndexes / sizeof kSlotIndexes[0];
    std::unique_ptr<BiosItemA> m_items[kSlotCount];
};

}  // namespace

const BiosItemA* SlotItem(TuningSlot slot)
{
    return SlotTable::Instance().Item(slot);
}

}  // namespace ocapi
