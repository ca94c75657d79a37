#include "tuning/DynamicRatioControl.h"

#include <windows.h>

#include <algorithm>

#include "tuning/CpuModel.h"

namespace {

// Affinity masks name 32 processors.
constexpr int kMaxControlledProcessors = 32;

}  // namespace

DynamicRatioControl* DynamicRatioControl::GetInstance()
{
    static DynamicRatioControl* instance = []() -> DynamicRatioControl* {
        if (IsAmdCpu() && GetPStatus()->IsCoreBoostSupported())
            return new DynamicRatioControl6Cores();
        if (IsAmdCpu())
            return new DynamicRatioControl();
        return new DynamicRatioControlIntel();
    }();
    return instance;
}

int DynamicRatioControl::ProcessorCount()
{
    return std::min(GetLogicalProcessorCount(), kMaxControlledProcessors);
}

void DynamicRatioControl::Create()
{
    if (!m_threads.empty()) {
        MessageBoxA(nullptr, "Call Create twice", "DynamicRatioControl", MB_OK);
        return;
    }
    FillRatioTable();
    m_counters.values.assign(static_cast<size_t>(ProcessorCount()), 0);
}

void DynamicRatioControl::FillRatioTable()
{
    int processors = ProcessorCount();
    AMDPSTATUS* model = GetPStatus();
    m_table.assign(static_cast<size_t>(processors) + 1, std::vector<int>(static_cast<size_t>(processors), 0));
    for (int row = 0; row <= processors; ++row) {
        int kind = row == processors ? 0 : row;
        for (int core = 0; core < processors; ++core)
            m_table[row][core] = static_cast<int>(model->GetTableRatio(kind, core));
    }
}

void DynamicRatioControl::Start()
{
    SaveRatios();
    StartThreads();
}

void DynamicRatioControl::Stop()
{
    // Every thread parks at the end of a pass before anything is restored,
    // so nothing the threads write can follow the restore.
    for (PausableThread* thread : m_threads)
        thread->Pause();
    RestoreRatios();
}

void DynamicRatioControl::StartThreads()
{
    if (m_counters.values.empty())
        Create();  // a start without Create still has its counters
    FillRatioTable();
    if (m_threads.empty()) {
        int processors = ProcessorCount();
        for (int i = 0; i < processors; ++i) {
            TIdleThread* probe = new TIdleThread(i, m_counters);
            if (!probe->Create()) {
                delete probe;
                continue;
            }
            SetThreadAffinityMask(probe->Handle(), static_cast<DWORD_PTR>(1) << i);
            probe->SetRunPriority(THREAD_PRIORITY_IDLE);
            m_threads.push_back(probe);
        }
        TBoostThread* decision = new TBoostThread(m_table, m_counters);
        if (decision->Create())
            m_threads.push_back(decision);
        else
            delete decision;
    }
    for (PausableThread* thread : m_threads)
        thread->Resume();
}

void DynamicRatioControl::SavePStateRatios(int pstate, std::vector<float>& saved)
{
    saved.clear();
    AMDPSTATUS* model = GetPStatus();
    for (int i = 0; i < ProcessorCount(); ++i)
        saved.push_back(model->ReadPStateRatio(pstate, i));
}

void DynamicRatioControl::RestorePStateRatios(int pstate, const std::vector<float>& saved)
{
    AMDPSTATUS* model = GetPStatus();
    for (int i = 0; i < ProcessorCount(); ++i) {
        // A saved 0 is a read that failed: the model refuses to write it. A
        // half step (a P-state with a divisor) comes back as it was saved.
        float ratio = i < static_cast<int>(saved.size()) ? saved[i] : model->GetDefaultRatio();
        model->WritePStateFid(pstate, ratio, i);
        model->ApplyCurrentFid(ratio, i, true);
    }
}

void DynamicRatioControl::SaveRatios()
{
    SavePStateRatios(0, m_saved);
}

void DynamicRatioControl::RestoreRatios()
{
    RestorePStateRatios(0, m_saved);
}

void DynamicRatioControl6Cores::Stop()
{
    RestoreRatios();
    AMDPSTATUS* model = GetPStatus();
    if (model->HasBoostTable())
        model->SetRatios(0, static_cast<int>(model->GetBoostOffRatio()));
}

void DynamicRatioControl6Cores::StartThreads()
{
    AMDPSTATUS* model = GetPStatus();
    int ratio = static_cast<int>(model->GetTableRatio(0, 0));
    model->SetRatios(1, ratio);
    model->ApplyCurrentFidAll(ratio, true);
    if (model->HasBoostTable())
        model->SetRatios(0, static_cast<int>(model->GetBoostOnRatio()));
}

void DynamicRatioControl6Cores::SaveRatios()
{
    SavePStateRatios(1, m_savedPState1);
}

void DynamicRatioControl6Cores::RestoreRatios()
{
    RestorePStateRatios(1, m_savedPState1);
}

int DynamicRatioControlIntel::BiosCoreCount()
{
    static const int count = [] {
        BiosItemA* selector = CreateGroupItem(3, BiosItemIndex(kCoreSelectorItemId));
        int values = selector ? selector->GetValueCount() : 1;
        delete selector;
        return values;
    }();
    return count;
}

void DynamicRatioControlIntel::Stop()
{
    RestoreRatios();
}

void DynamicRatioControlIntel::StartThreads()
{
    GetPStatus()->SetRatios(1, 0);
}

void DynamicRatioControlIntel::SaveRatios()
{
    m_savedIndexes.clear();
    for (int i = 0; i < BiosCoreCount(); ++i) {
        SetItemValueMode1(kCoreSelectorItemId, i);
        int index = 0;
        bool read = ReadItemValue(kRatioItemId, &index);
        m_savedIndexes.push_back({index, read});
    }
}

void DynamicRatioControlIntel::RestoreRatios()
{
    int cores = std::min(BiosCoreCount(), static_cast<int>(m_savedIndexes.size()));
    int last = -1;
    for (int i = 0; i < cores; ++i) {
        if (!m_savedIndexes[i].read)
            continue;
        SetItemValue(kCoreSelectorItemId, i, kTuningWriteMode);
        SetItemValue(kRatioItemId, m_savedIndexes[i].index, kTuningWriteMode);
        last = m_savedIndexes[i].index;
    }
    if (last >= 0) {
        SetItemValueMode1(kCoreSelectorItemId, kCoreSelectorAllCores);
        SetItemValue(kRatioItemId, last, kTuningWriteMode);
    }
}
