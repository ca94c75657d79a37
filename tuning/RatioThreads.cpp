#include "tuning/RatioThreads.h"

#include "tuning/CpuModel.h"

namespace {

constexpr DWORD kInterruptibleWaitMs = 100;

}  // namespace

bool PausableThread::Create()
{
    m_mayRun = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_pauseRequest = CreateEventA(nullptr, TRUE, TRUE, nullptr);  // parked from the start
    m_parked = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!m_mayRun || !m_pauseRequest || !m_parked)
        return false;
    m_thread = CreateThread(nullptr, 0, &PausableThread::Main, this, 0, nullptr);
    return m_thread != nullptr;
}

void PausableThread::SetRunPriority(int priority)
{
    m_runPriority = priority;
    if (m_thread)
        SetThreadPriority(m_thread, priority);
}

void PausableThread::Resume()
{
    if (!m_thread)
        return;
    m_paused = false;
    SetThreadPriority(m_thread, m_runPriority);
    ResetEvent(m_parked);
    ResetEvent(m_pauseRequest);
    m_pauseWanted = false;
    SetEvent(m_mayRun);
}

void PausableThread::Pause()
{
    if (!m_thread || m_paused)
        return;
    m_paused = true;
    // Only a parking that follows this request counts: a thread that was
    // still parking from the last pause when Resume ran may have set the
    // event after Resume cleared it, and is running now.
    ResetEvent(m_parked);
    ResetEvent(m_mayRun);
    m_pauseWanted = true;
    SetEvent(m_pauseRequest);
    // An idle-priority thread on a busy processor might not run for a long
    // time: let it reach its parking place at normal priority.
    SetThreadPriority(m_thread, THREAD_PRIORITY_NORMAL);
    WaitForSingleObject(m_parked, INFINITE);
}

DWORD WINAPI PausableThread::Main(LPVOID self)
{
    static_cast<PausableThread*>(self)->Run();
    return 0;
}

void PausableThread::Run()
{
    bool first = true;
    for (;;) {
        if (m_pauseWanted) {
            SetEvent(m_parked);
            WaitForSingleObject(m_mayRun, INFINITE);
            continue;
        }
        if (first) {
            OnFirstRun();
            first = false;
        }
        RunPass();
        if (PassInterval() < kInterruptibleWaitMs)
            Sleep(PassInterval());
        else
            WaitForSingleObject(m_pauseRequest, PassInterval());
    }
}

void TIdleThread::RunPass()
{
    LONG* counter = &m_counters.values[static_cast<size_t>(m_processor)];
    // Another ready thread on this processor means it is busy.
    if (SwitchToThread())
        InterlockedExchange(counter, 5);
    else
        InterlockedIncrement(counter);
}

void TBoostThread::Apply(int core, int ratio)
{
    AMDPSTATUS* model = GetPStatus();
    model->WritePStateFid(0, ratio, core);
    model->ApplyCurrentFid(ratio, core, true);
}

void TBoostThread::ApplyRow(int row)
{
    if (row < 0 || row >= static_cast<int>(m_table.size()))
        return;
    for (size_t core = 0; core < m_table[row].size(); ++core)
        Apply(static_cast<int>(core), m_table[row][core]);
}

void TBoostThread::OnFirstRun()
{
    ApplyRow(0);
}

void TBoostThread::RunPass()
{
    std::vector<long> snapshot(m_counters.values.size());
    for (size_t c = 0; c < snapshot.size(); ++c)
        snapshot[c] = InterlockedExchange(&m_counters.values[c], 0);
    int defaultRatio = static_cast<int>(GetPStatus()->GetDefaultRatio());
    for (const auto& [core, ratio] : DecideRatios(snapshot, m_table, defaultRatio))
        Apply(core, ratio);
}
