#pragma once
// The threads of the dynamic ratio control: one idle probe per logical
// processor and one decision thread. They are never suspended at an
// arbitrary point: a pause is requested, and each thread parks at the end of
// its pass and says so, so that no thread stops inside a library call or
// between two dependent register writes.

#include <windows.h>

#include <atomic>
#include <vector>

#include "tuning/RatioDecision.h"

class PausableThread {
public:
    virtual ~PausableThread() = default;  // never called: the threads live as long as the process

    // Creates the thread parked; false when the system refuses.
    bool Create();
    HANDLE Handle() const { return m_thread; }
    // The priority the thread runs its passes at.
    void SetRunPriority(int priority);
    // Lets the thread run its passes.
    void Resume();
    // Asks the thread to park and waits until it has.
    void Pause();

protected:
    // One pass; the thread then waits `PassInterval` ms. A wait of 100 ms or
    // more is cut short by a pause request; a short one simply sleeps,
    // since a wait on an event costs far more than a sleep at 50 passes a second.
    virtual void RunPass() = 0;
    virtual DWORD PassInterval() const = 0;
    // Once, before the first pass.
    virtual void OnFirstRun() {}

private:
    static DWORD WINAPI Main(LPVOID self);
    void Run();

    HANDLE m_thread = nullptr;
    HANDLE m_mayRun = nullptr;              // manual reset: set while resumed
    HANDLE m_pauseRequest = nullptr;        // manual reset: set while a pause is wanted
    std::atomic<bool> m_pauseWanted{true};  // the same, read at every pass
    HANDLE m_parked = nullptr;              // manual reset: set by the thread once parked
    int m_runPriority = THREAD_PRIORITY_NORMAL;
    bool m_paused = true;
};

// The activity counters the probes and the decision thread share, one per
// logical processor, changed only with interlocked operations.
struct ActivityCounters {
    std::vector<LONG> values;
};

class TIdleThread : public PausableThread {
public:
    TIdleThread(int processor, ActivityCounters& counters) : m_processor(processor), m_counters(counters) {}

protected:
    void RunPass() override;
    DWORD PassInterval() const override { return 20; }

private:
    int m_processor;
    ActivityCounters& m_counters;
};

class TBoostThread : public PausableThread {
public:
    // The table is refilled only while the thread is parked.
    TBoostThread(const RatioTable& table, ActivityCounters& counters) : m_table(table), m_counters(counters) {}

protected:
    void OnFirstRun() override;
    void RunPass() override;
    DWORD PassInterval() const override { return 250; }

private:
    void Apply(int core, int ratio);
    void ApplyRow(int row);

    const RatioTable& m_table;
    ActivityCounters& m_counters;
};
