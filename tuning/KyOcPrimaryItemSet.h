#pragma once
// The process-wide set of the visible tuning items of BIOS group 3. Four
// fixed slots hold the items that the pages and the C interface address by
// slot; slot 4 stays empty and the other visible items follow in BIOS order.
//
// Apply writes a list of (item id, value index) records in an order that
// never raises the CPU clock (FSB x ratio) before the other items moved.

#include <windows.h>

#include <vector>

#include "tuning/ZxOcItemValue.h"
#include "turboInfo_Intel/BiosInterface.h"

class KyOcPrimaryItemSet {
public:
    enum Slot { kFsbSlot = 0, kCoreVoltageSlot = 1, kDramVoltageSlot = 2, kNbCoreVoltageSlot = 3 };
    static constexpr int kFirstFreePosition = 5;

    static KyOcPrimaryItemSet& GetInstance();

    // The item at a position; null for an empty slot or a position past the end.
    BiosItemA* GetItem(int position) const;
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    // True when the id is one of the set's (visible) items.
    bool Contains(DWORD id) const;

    // Writes the records that are meant for this set: a visible item of the
    // set with an index of its value list, or the CPU ratio (whose per-core
    // values the ratio set checks). Any other record is skipped; the rest
    // still goes in frequency-safe order.
    void ApplyValues(const ZxOcItemValueList& values);
    void ApplyInSafeOrder(const tagZxOcItemValue* records, int count);

    // The graphics-boost driver: only when the set has a graphics item (never
    // in the C interface library's build).
    bool IsPelorusDriverInstalled() const;

private:
    KyOcPrimaryItemSet();
    KyOcPrimaryItemSet(const KyOcPrimaryItemSet&) = delete;
    KyOcPrimaryItemSet& operator=(const KyOcPrimaryItemSet&) = delete;

    void Load();
    const BiosItemA* Find(DWORD id) const;
    bool IsMeant(const tagZxOcItemValue& record) const;
    bool IsGoingDown(const tagZxOcItemValue* records, int count, int fsb) const;
    void WriteFsbAndRatios(const tagZxOcItemValue* records, int count, int fsb, int ratio) const;
    void WriteTheRest(const tagZxOcItemValue* records, int count) const;

    std::vector<BiosItemA*> m_items;  // owned
    bool m_hasGraphicsItem = false;
};
