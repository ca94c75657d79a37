#pragma once
// The simulated machine behind the KyIO.dll stand-in and the simulated CPUID:
// one ini file shared by every process of the Wine prefix.
//
//   [cpuid]          leaf answers for every logical processor:
//                    0x<leaf>=eax,ebx,ecx,edx  or  0x<leaf>.<subleaf>=...
//   [cpuid.<n>]      answers of processor n where they differ (APIC id)
//   [cpu.<n>]        one section per logical processor: 0x<msr>=0x<value>,
//                    and measured.ratio=<plain ratio> for the busy-clock
//                    counter MSR 0x30A
//
// Registers are plain storage, with two exceptions: the busy-clock counter
// 0x30A counts (below), and bit 16 of the AMD current-FID control register
// 0xC0010070 is a command ("take this FID now") that reads back as 0.
//
// A processor without a [cpu.<n>] section does not exist: its reads give 0
// and its writes are dropped. Writes rewrite the file atomically (temporary
// file, then replace) under one named mutex; a change made by another process
// or by hand is seen by the next call.

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "IniDocument.h"

namespace kyio {

constexpr std::uint32_t kBusyClockCounterMsr = 0x30A;
constexpr std::uint32_t kCofVidControlMsr = 0xC0010070;
constexpr std::uint64_t kCofVidForceBit = 1ull << 16;
// The bus clock the ratio measurement divides by, in units of 100 kHz.
constexpr std::uint64_t kMeasuredBusClock = 133;

// Counters every process of the prefix shares (named memory
// "ZxKyIOSimulatedMachineCounters"): file rewrites, register reads and
// register writes since the first process started. The measurement reads them.
struct SharedCounters {
    LONG fileRewrites;
    LONG registerReads;
    LONG registerWrites;
};
constexpr char kSharedCountersName[] = "ZxKyIOSimulatedMachineCounters";
volatile SharedCounters* Counters();

// KYIO_MACHINE when set, else KyIOMachine.ini in the folder of `module`
// (null: the program); with `searchPath` also the file of that name on the
// library search path. "" when none.
std::string FindMachineFile(HMODULE module, bool searchPath);

// The logical processor the calling thread is pinned to: the lowest bit of
// its affinity mask (a thread that is not pinned counts as processor 0); -1
// when the mask cannot be read or is empty.
int CurrentProcessor();

// Holds the whole-machine lock while it lives; the holder's thread may
// take it again (a mutex counts its owner's waits).
class MachineLock {
public:
    MachineLock();
    ~MachineLock();
    MachineLock(const MachineLock&) = delete;
    MachineLock& operator=(const MachineLock&) = delete;

private:
    HANDLE m_mutex;
};

class SimulatedMachine {
public:
    explicit SimulatedMachine(std::string path) : m_path(std::move(path)) {}

    const std::string& Path() const { return m_path; }

    // Every operation below takes the machine lock itself and re-reads the
    // file when it changed. False when the file cannot be read.
    bool Load();
    bool HasProcessor(int processor);
    // False for a processor that does not exist (value untouched).
    bool ReadMsr(int processor, std::uint32_t msr, std::uint64_t& value);
    bool WriteMsr(int processor, std::uint32_t msr, std::uint64_t value);
    // Unlisted leaves answer zeros; false only when the file is unreadable.
    bool CpuId(int processor, std::uint32_t leaf, std::uint32_t subleaf, std::uint32_t registers[4]);
    // The plain ratio named for the processor, 0 when none.
    std::uint64_t MeasuredRatio(int processor);

private:
    struct CpuIdKey {
        std::uint32_t leaf;
        std::int64_t subleaf;  // -1: any subleaf
        bool operator<(const CpuIdKey& other) const
        {
            return leaf != other.leaf ? leaf < other.leaf : subleaf < other.subleaf;
        }
    };
    using CpuIdTable = std::map<CpuIdKey, std::array<std::uint32_t, 4>>;

    bool RefreshLocked();
    void Rebuild();
    bool StoreLocked();
    static bool ParseCpuIdKey(const std::string& text, CpuIdKey& key);
    static bool FindCpuId(const CpuIdTable& table, std::uint32_t leaf, std::uint32_t subleaf,
                          std::uint32_t registers[4]);

    std::string m_path;
    bool m_loaded = false;
    FILETIME m_stamp{};
    ULONGLONG m_size = 0;
    LONG m_generation = -1;

    IniDocument m_document;
    std::map<int, std::map<std::uint32_t, std::uint64_t>> m_msrs;  // processor -> msr -> value
    std::map<int, std::uint64_t> m_measuredRatio;
    CpuIdTable m_cpuidCommon;
    std::map<int, CpuIdTable> m_cpuidPerProcessor;
    std::map<int, std::uint64_t> m_counterReads;  // reads of 0x30A since its last write, per processor
};

}  // namespace kyio
