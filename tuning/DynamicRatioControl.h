#pragma once
// The dynamic ratio control behind the core-unlock switch: while the feature
// is on, per-core ratios follow the cores' activity (AMD without core boost)
// or are set once per start (AMD with core boost: P-state registers; Intel:
// BIOS per-core turbo items); switching it off puts the saved ratios back.
// The message form is the only caller, from the GUI thread.

#include <vector>

#include "tuning/RatioDecision.h"
#include "tuning/RatioThreads.h"

// AMD without core boost: idle probes and a decision thread.
class DynamicRatioControl {
public:
    static DynamicRatioControl* GetInstance();
    virtual ~DynamicRatioControl() = default;

    // Once, by the message form: allocates and fills the ratio table and the
    // activity counters. A second call after threads exist only says so.
    void Create();
    // Saves the ratios, then starts (or resumes) the control.
    void Start();

    virtual void Stop();
    virtual void StartThreads();
    virtual void SaveRatios();
    virtual void RestoreRatios();

    // For tests and the measurement.
    const RatioTable& GetRatioTable() const { return m_table; }
    const std::vector<PausableThread*>& GetThreads() const { return m_threads; }

protected:
    DynamicRatioControl() = default;
    static int ProcessorCount();
    // Saved P-state ratios back, by processor; the default ratio where none was saved.
    static void RestorePStateRatios(int pstate, const std::vector<float>& saved);
    static void SavePStateRatios(int pstate, std::vector<float>& saved);

    std::vector<PausableThread*> m_threads;  // never freed
    std::vector<float> m_saved;

private:
    void FillRatioTable();

    RatioTable m_table;
    ActivityCounters m_counters;
};

// AMD with core boost: P-state 1 written once per start.
class DynamicRatioControl6Cores : public DynamicRatioControl {
public:
    void Stop() override;
    void StartThreads() override;
    void SaveRatios() override;
    void RestoreRatios() override;

private:
    std::vector<float> m_savedPState1;
};

// Intel: the BIOS per-core turbo ratio items written once per start.
class DynamicRatioControlIntel : public DynamicRatioControl {
public:
    void Stop() override;
    void StartThreads() override;
    void SaveRatios() override;
    void RestoreRatios() override;

private:
    struct SavedIndex {
        int index;
        bool read;  // a failed read is not written back
    };
    static int BiosCoreCount();
    std::vector<SavedIndex> m_savedIndexes;
};
