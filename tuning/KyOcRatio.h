#pragma once
// The process-wide view of the CPU ratio item (index 0x13 of the tuning
// group). The BIOS has one ratio item for all cores; the core selector item
// makes it read and write the ratio of one core. After per-core writes the
// selector is set to "all cores" and the last value is written once more.

#include <windows.h>

#include <vector>

#include "turboInfo_Intel/BiosInterface.h"

class KyOcRatio {
public:
    static KyOcRatio& GetInstance();

    unsigned GetCoreCount() const { return m_coreCount; }
    bool IsPerCore() const { return m_perCore; }
    bool HasRatioItemF9() const { return m_hasItemF9; }
    bool HasSelector() const { return m_hasSelector; }

    int GetRatioCount() const;  // the item's value count; 0 without the item
    DWORD GetItemId() const;    // 0 without the item
    int GetInfoValue() const;
    bool IsHidden() const;  // true only for an existing, hidden item
    double IndexToValue(int index) const;

    // True for an index of the ratio item's value list.
    bool IsInRange(int index) const;

    // The value index of one core (the last core when not per-core); -1
    // when there is no ratio or the read fails.
    int GetCoreRatio(unsigned core);
    // One value index per core (one in all when not per-core), position i
    // for core i. A core whose read fails holds kUnreadRatio, which no apply
    // writes; not per-core, a failed read leaves the list empty. Empty
    // without cores.
    static constexpr int kUnreadRatio = -1;
    void ReadRatios(std::vector<int>& ratios);
    // The current ratio as a number: the highest of the cores when per-core.
    // False when there is no ratio or nothing could be read.
    bool GetCurrentRatio(double* ratio);
    bool HasFractionalStep() const;

    // Writes value indexes per core (see the source for the rules). An
    // index outside the ratio item's list is never written.
    void ApplyRatios(const std::vector<int>& values);

private:
    KyOcRatio();
    KyOcRatio(const KyOcRatio&) = delete;
    KyOcRatio& operator=(const KyOcRatio&) = delete;

    void Select(unsigned core) const;
    // Select before a read: a selector that names the core already is left
    // as it is (the read of it is far cheaper than a write).
    void SelectForRead(unsigned core) const;
    bool ReadCurrent(int* index) const;
    void Write(int index) const;
    // The value meant for core i of a per-core list; false when none is.
    bool ValueForCore(const std::vector<int>& values, unsigned core, int* value) const;

    unsigned m_coreCount = 0;
    bool m_hasSelector = false;
    BiosItemA* m_item = nullptr;  // owned; kept for the process
    bool m_perCore = false;
    bool m_hasItemF9 = false;
};
