#pragma once
// The writes of tuning values besides the user's Apply: the snapshot taken
// at a suspend and written back at the next resume, and the commands of
// other programs (WM_USER+37: take or put back a snapshot, apply a profile
// stored in the BIOS; WM_USER+36: write the FSB item). Every list goes
// through the primary item set's frequency-safe apply, and no list carries
// an item whose current value could not be read.

#include <windows.h>

#include "tuning/ZxOcItemValue.h"

// Low byte of the profile command: 0 puts the message snapshot back, 1-3
// apply stored profile 0-2; bit 15 first takes the message snapshot.
constexpr LPARAM kProfileCommandTakeSnapshot = 0x8000;
constexpr DWORD kFsbItemId = 0x03010011;

class TuningSnapshots {
public:
    // A suspend: the old snapshot goes at once, whatever follows; a new one
    // is taken when the system-control service allows it.
    void SnapshotForSuspend();
    // The first resume after a suspend: the snapshot is written back (unless
    // the service or the power-saving mode stands against it) and goes in
    // any case, so that it can never overwrite later settings.
    void ReapplyAfterResume();

    void OnProfileCommand(LPARAM command);
    void OnSetItemCommand(LPARAM value);

    void TakeMessageSnapshot();
    void ApplyMessageSnapshot();
    void ApplyBiosProfileSlot(int number);

    static bool ServiceAllowsSnapshot();
    static bool IsRatioSnapshotBlocked();

    const ZxOcItemValueList& SuspendSnapshot() const { return m_suspendSnapshot; }

private:
    // The per-core ratios that could be read, one record each.
    static void AppendRatios(ZxOcItemValueList& values);

    ZxOcItemValueList m_suspendSnapshot;
    ZxOcItemValueList m_messageSnapshot;
};
