#include "SimulatedMachine.h"

#include <cstdio>
#include <vector>

#include "platform/standinlog/ReplaceFile.h"

namespace kyio {

namespace {

const char kMachineFileName[] = "KyIOMachine.ini";
const char kMutexName[] = "ZxKyIOSimulatedMachine";
// The file rewrites count is the file's generation: a reader notices a
// rewrite that left the file's size and (coarse) time stamp as they were.
volatile LONG* SharedGeneration()
{
    return &Counters()->fileRewrites;
}

bool ParseProcessorSection(const std::string& section, const char* prefix, int& processor)
{
    std::string head = prefix;
    if (section.size() <= head.size() || !SameName(section.substr(0, head.size()), head))
        return false;
    std::uint64_t number = 0;
    if (!ParseNumber(section.substr(head.size()), number) || number > 1023)
        return false;
    processor = static_cast<int>(number);
    return true;
}

bool ParseRegisters(const std::string& text, std::array<std::uint32_t, 4>& registers)
{
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        size_t comma = text.find(',', start);
        if ((comma == std::string::npos) != (i == 3))
            return false;
        std::uint64_t value = 0;
        if (!ParseNumber(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start), value) ||
            value > 0xFFFFFFFFull)
            return false;
        registers[i] = static_cast<std::uint32_t>(value);
        start = comma + 1;
    }
    return true;
}

std::string FolderOf(HMODULE module)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    std::string folder(path, length);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

volatile SharedCounters* Counters()
{
    static volatile SharedCounters* counters = [] {
        HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedCounters),
                                            kSharedCountersName);
        void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedCounters)) : nullptr;
        static SharedCounters fallback{};
        return view ? static_cast<volatile SharedCounters*>(view) : &fallback;
    }();
    return counters;
}

std::string FindMachineFile(HMODULE module, bool searchPath)
{
    char named[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KYIO_MACHINE", named, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return std::string(named, length);

    std::string beside = FolderOf(module) + kMachineFileName;
    if (!searchPath || FileExists(beside))
        return beside;
    char found[MAX_PATH];
    length = SearchPathA(nullptr, kMachineFileName, nullptr, MAX_PATH, found, nullptr);
    if (length > 0 && length < MAX_PATH)
        return std::string(found, length);
    return std::string();
}

int CurrentProcessor()
{
    // The mask is read, not changed; the scheduler's choice plays no part.
    struct ThreadBasicInformation {
        LONG exitStatus;
        PVOID tebBaseAddress;
        PVOID uniqueProcess;
        PVOID uniqueThread;
        ULONG_PTR affinityMask;
        LONG priority;
        LONG basePriority;
    };
    using QueryThread = LONG(WINAPI*)(HANDLE, int, PVOID, ULONG, PULONG);
    static QueryThread query = reinterpret_cast<QueryThread>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
    if (!query)
        return -1;
    ThreadBasicInformation information{};
    if (query(GetCurrentThread(), 0 /* ThreadBasicInformation */, &information, sizeof information, nullptr) != 0)
        return -1;
    for (int bit = 0; bit < static_cast<int>(sizeof(ULONG_PTR) * 8); ++bit) {
        if (information.affinityMask & (static_cast<ULONG_PTR>(1) << bit))
            return bit;
    }
    return -1;
}

MachineLock::MachineLock()
{
    // One handle for the process: opening the mutex per call would double the cost of every access.
    static HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    m_mutex = mutex;
    if (m_mutex)
        WaitForSingleObject(m_mutex, INFINITE);  // an abandoned mutex is ours as well
}

MachineLock::~MachineLock()
{
    if (m_mutex)
        ReleaseMutex(m_mutex);
}

bool SimulatedMachine::Load()
{
    MachineLock lock;
    return RefreshLocked();
}

bool SimulatedMachine::HasProcessor(int processor)
{
    MachineLock lock;
    return RefreshLocked() && m_msrs.count(processor) != 0;
}

bool SimulatedMachine::ReadMsr(int processor, std::uint32_t msr, std::uint64_t& value)
{
    MachineLock lock;
    if (!RefreshLocked())
        return false;
    InterlockedIncrement(&Counters()->registerReads);
    auto cpu = m_msrs.find(processor);
    if (cpu == m_msrs.end())
        return false;
    auto stored = cpu->second.find(msr);
    std::uint64_t current = stored == cpu->second.end() ? 0 : stored->second;
    if (msr == kBusyClockCounterMsr) {
        // Counts one measurement interval per read, so that two reads around
        // the interval give exactly the named ratio, whatever the real delay.
        std::uint64_t ratio = m_measuredRatio.count(processor) ? m_measuredRatio[processor] : 0;
        std::uint64_t perInterval = (kMeasuredBusClock * ratio + 9) / 10 * 1000000;
        current += m_counterReads[processor]++ * perInterval;
    }
    value = current;
    return true;
}

bool SimulatedMachine::WriteMsr(int processor, std::uint32_t msr, std::uint64_t value)
{
    MachineLock lock;
    InterlockedIncrement(&Counters()->registerWrites);
    if (!RefreshLocked() || m_msrs.count(processor) == 0)
        return false;
    if (msr == kBusyClockCounterMsr)
        m_counterReads[processor] = 0;
    if (msr == kCofVidControlMsr)
        value &= ~kCofVidForceBit;  // a command, not a setting
    auto& registers = m_msrs[processor];
    auto stored = registers.find(msr);
    if (stored != registers.end() && stored->second == value)
        return true;  // nothing changes; the file stays as it is
    registers[msr] = value;

    char key[16];
    char text[24];
    std::snprintf(key, sizeof key, "0x%08X", static_cast<unsigned>(msr));
    std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(value));
    m_document.SetNumericKey("cpu." + std::to_string(processor), msr, key, text);
    return StoreLocked();
}

bool SimulatedMachine::CpuId(int processor, std::uint32_t leaf, std::uint32_t subleaf, std::uint32_t registers[4])
{
    MachineLock lock;
    if (!RefreshLocked())
        return false;
    auto own = m_cpuidPerProcessor.find(processor);
    if (own != m_cpuidPerProcessor.end() && FindCpuId(own->second, leaf, subleaf, registers))
        return true;
    if (!FindCpuId(m_cpuidCommon, leaf, subleaf, registers))
        registers[0] = registers[1] = registers[2] = registers[3] = 0;
    return true;
}

std::uint64_t SimulatedMachine::MeasuredRatio(int processor)
{
    MachineLock lock;
    if (!RefreshLocked())
        return 0;
    auto found = m_measuredRatio.find(processor);
    return found == m_measuredRatio.end() ? 0 : found->second;
}

bool SimulatedMachine::FindCpuId(const CpuIdTable& table, std::uint32_t leaf, std::uint32_t subleaf,
                                 std::uint32_t registers[4])
{
    auto found = table.find(CpuIdKey{leaf, static_cast<std::int64_t>(subleaf)});
    if (found == table.end())
        found = table.find(CpuIdKey{leaf, -1});
    if (found == table.end())
        return false;
    for (int i = 0; i < 4; ++i)
        registers[i] = found->second[i];
    return true;
}

bool SimulatedMachine::ParseCpuIdKey(const std::string& text, CpuIdKey& key)
{
    size_t dot = text.find('.');
    std::uint64_t leaf = 0;
    std::uint64_t subleaf = 0;
    if (!ParseNumber(text.substr(0, dot), leaf) || leaf > 0xFFFFFFFFull)
        return false;
    key.leaf = static_cast<std::uint32_t>(leaf);
    key.subleaf = -1;
    if (dot != std::string::npos) {
        if (!ParseNumber(text.substr(dot + 1), subleaf) || subleaf > 0xFFFFFFFFull)
            return false;
        key.subleaf = static_cast<std::int64_t>(subleaf);
    }
    return true;
}

bool SimulatedMachine::RefreshLocked()
{
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (m_path.empty() || !GetFileAttributesExA(m_path.c_str(), GetFileExInfoStandard, &attributes)) {
        m_loaded = false;
        return false;
    }
    ULONGLONG size = (static_cast<ULONGLONG>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    LONG generation = *SharedGeneration();
    if (m_loaded && size == m_size && generation == m_generation &&
        CompareFileTime(&attributes.ftLastWriteTime, &m_stamp) == 0)
        return true;

    HANDLE file = CreateFileA(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        m_loaded = false;
        return false;
    }
    std::string text;
    char buffer[16384];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);

    m_document.Parse(text);
    Rebuild();
    m_stamp = attributes.ftLastWriteTime;
    m_size = size;
    m_generation = generation;
    m_loaded = true;
    return true;
}

void SimulatedMachine::Rebuild()
{
    m_msrs.clear();
    m_measuredRatio.clear();
    m_cpuidCommon.clear();
    m_cpuidPerProcessor.clear();
    for (const std::string& section : m_document.Sections()) {
        int processor = 0;
        if (ParseProcessorSection(section, "cpu.", processor)) {
            auto& registers = m_msrs[processor];
            for (const auto& [key, value] : m_document.Entries(section)) {
                std::uint64_t msr = 0;
                std::uint64_t number = 0;
                if (SameName(key, "measured.ratio")) {
                    if (ParseNumber(value, number))
                        m_measuredRatio[processor] = number;
                } else if (ParseNumber(key, msr) && msr <= 0xFFFFFFFFull && ParseNumber(value, number)) {
                    registers[static_cast<std::uint32_t>(msr)] = number;
                }
            }
            continue;
        }
        CpuIdTable* table = nullptr;
        if (SameName(section, "cpuid"))
            table = &m_cpuidCommon;
        else if (ParseProcessorSection(section, "cpuid.", processor))
            table = &m_cpuidPerProcessor[processor];
        if (!table)
            continue;
        for (const auto& [key, value] : m_document.Entries(section)) {
            CpuIdKey leaf{};
            std::array<std::uint32_t, 4> registers{};
            if (ParseCpuIdKey(key, leaf) && ParseRegisters(value, registers))
                (*table)[leaf] = registers;
        }
    }
}

bool SimulatedMachine::StoreLocked()
{
    if (!standin::ReplaceFileAtomically(m_path, m_document.Text())) {
        m_loaded = false;  // re-read what the file really holds
        return false;
    }
    // What this process holds is what it wrote: remember the new file's
    // stamp instead of reading it back.
    m_generation = InterlockedIncrement(SharedGeneration());
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExA(m_path.c_str(), GetFileExInfoStandard, &attributes)) {
        m_loaded = false;
        return false;
    }
    m_stamp = attributes.ftLastWriteTime;
    m_size = (static_cast<ULONGLONG>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    return true;
}

}  // namespace kyio
