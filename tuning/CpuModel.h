#pragma once
// The process-wide CPU model: AMD processors with writable P-state registers
// (AMDPSTATUS) and Intel processors whose per-core turbo ratios the BIOS
// exposes as items (INTELPSTATUS), behind one table of operations.
//
// Ratios are in half-multiplier units (twice the CPU multiplier) unless a
// name says "plain". For AMD a ratio equals CpuFid + 16 at divisor 0.

#include <windows.h>

#include <cstdint>

#include "tuning/TuningItems.h"
#include "turboInfo_Intel/BiosInterface.h"

// BIOS items only the CPU model and the ratio controller use.
constexpr DWORD kRatioItemId = 0x03060013;
constexpr DWORD kTurboTableItemId = 0x05080006;
constexpr DWORD kBoostTableItemId = 0x05080007;
constexpr int kTurboEnableBit = 0x10;

constexpr int kModelCores = 8;       // per-core tables
constexpr int kTurboLimitCount = 4;  // MSR 0x1AD: 1..4 active cores
constexpr int kPStateTableSize = 13;

class AMDPSTATUS {
public:
    AMDPSTATUS();
    virtual ~AMDPSTATUS() = default;
    AMDPSTATUS(const AMDPSTATUS&) = delete;
    AMDPSTATUS& operator=(const AMDPSTATUS&) = delete;

    virtual int GetScaleBase();
    virtual int GetCoreCount();
    virtual float GetCurrentRatio(int core);
    virtual float GetMaxRatio();
    virtual float GetDefaultRatio();
    virtual float GetTurboRatio();
    // kind 1: per-core entry; 2: entry 8; 3: entry 9; any other: entry 10.
    virtual float GetTableRatio(int kind, int core);
    virtual void SetRatios(int a, int b);
    // P-state 0-4 on AMD: the FID of MSR 0xC0010064 + pstate on `core`.
    // Refused (nothing written) when the register cannot be read or the
    // FID field cannot express the ratio exactly at the register's divisor.
    // A ratio may be a half step (a saved P-state with a divisor).
    virtual bool WritePStateFid(int pstate, float ratio, int core);
    virtual int Refresh();

    // P-state 0-4 or 13 (the status register): (FID + 16) / 2^DID; 0 for
    // any other P-state, on Intel, or when the register cannot be read.
    float ReadPStateRatio(int pstate, int core);
    bool IsCoreBoostSupported();
    bool HasBoostTable() const { return m_pstateTable[11] != 0; }
    float GetBoostOnRatio() const { return m_pstateTable[11]; }
    float GetBoostOffRatio() const { return m_pstateTable[12]; }
    void ApplyCurrentFid(float ratio, int core, bool force);
    void ApplyCurrentFidAll(int ratio, bool force);
    void SetTurboInBios(bool on);

protected:
    float m_turboRatio = 0;
    float m_defaultRatio = 0;
    float m_maxRatio = 0;
    float m_pstateTable[kPStateTableSize] = {};
    int m_currentRatio[kModelCores] = {};  // plain; Intel only
};

class INTELPSTATUS : public AMDPSTATUS {
public:
    INTELPSTATUS();

    int GetScaleBase() override;
    int GetCoreCount() override;
    float GetCurrentRatio(int core) override;
    float GetMaxRatio() override;
    float GetDefaultRatio() override;
    float GetTurboRatio() override;
    // kind 1: the kind-1 table, 0: the kind-0 table, to the BIOS per-core
    // items. Only entries that are value indexes of the ratio item are
    // written; a core the table holds no entry for is left alone.
    void SetRatios(int kind, int unused) override;
    bool WritePStateFid(int pstate, float ratio, int core) override;
    // Measures every core; returns how many are in turbo.
    int Refresh() override;

    const int* GetTurboRatioLimits() const { return m_turboLimits; }
    int GetKindTableEntry(int kind, int core) const;
    // Affinity mask of the physical core at position `position` of the core list.
    DWORD_PTR GetCoreMask(int position) const;

private:
    void ReadTurboRatioLimits();
    bool FillFallbackTables();
    void BuildCoreMap();
    int MeasureCore(int position);

    int m_turboLimits[kTurboLimitCount] = {};
    int m_kind1Table[kModelCores] = {};
    int m_kind0Table[kModelCores] = {};
    int m_tableCores = 0;  // leading cores the kind tables hold an entry for
    DWORD_PTR m_coreMap[kModelCores] = {};
    int m_coreList[kModelCores] = {};
    int m_coreListSize = 0;
};

AMDPSTATUS* GetPStatus();
bool IsAmdCpu();
bool IsTurboBoostSupported();
bool IsTurboBoostEnabled();
bool GetSupportedIntelSignature(int* signature);
bool HasBiosTurboTable();
// The first item of `group` with that index in bits 0-15, owned by the caller; null when none.
BiosItemA* CreateGroupItem(int group, int index);
int GetBiosCoreCount();
// The logical processor count of the system, taken once.
int GetLogicalProcessorCount();
// Ratio (half-multipliers) of value index `index` of the ratio item: 2 x its value.
float RatioOfIndex(const BiosItemA& ratioItem, int index);
