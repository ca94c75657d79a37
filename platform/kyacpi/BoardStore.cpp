#include "platform/kyacpi/BoardStore.h"

#include <windows.h>

#include <cstdio>

#include "platform/kyacpi/BoardParser.h"
#include "platform/kyacpi/BoardText.h"
#include "platform/kyacpi/CallLog.h"
#include "platform/standinlog/ReplaceFile.h"

namespace kyacpi {

namespace {

// One name for the whole prefix: the board state and the log are shared by
// every process that loads the library.
const char kMutexName[] = "KyAcpiSimulatedBoard";
const DWORD kLockTimeoutMs = 10000;
const char kDefaultBoardName[] = "KyAcpiBoard.ini";
const char kWriteCountName[] = "KyAcpiSimulatedBoardWrites";

// What identifies one version of the board file without reading it: its
// size and time of last write, and the count of writes that this library
// made from any process (a replaced file may carry the same time).
struct FileStamp {
    ULONGLONG size = 0;
    ULONGLONG written = 0;
    LONG writes = 0;
    bool operator==(const FileStamp& other) const
    {
        return size == other.size && written == other.written && writes == other.writes;
    }
};

// What the last session read; only touched while the mutex is held.
struct Cache {
    std::string libraryFolder;
    std::string path;
    std::string text;
    FileStamp stamp;
    bool stamped = false;  // false: the next session reads the file
    bool parsed = false;
    Board board;
    std::string lastReportedProblem;
};

Cache& TheCache()
{
    static Cache cache;
    return cache;
}

HANDLE TheMutex()
{
    static HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    return mutex;
}

// The count of board writes, shared by every process of the prefix; null
// when it cannot be shared, and then every session reads the file.
volatile LONG* SharedWriteCount()
{
    static volatile LONG* count = [] {
        HANDLE mapping =
            CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG), kWriteCountName);
        return mapping ? static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(LONG)))
                       : nullptr;
    }();
    return count;
}

bool StampOf(const std::string& path, FileStamp& stamp)
{
    volatile LONG* writes = SharedWriteCount();
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (writes == nullptr || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    stamp.size = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.written = (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    stamp.writes = *writes;
    return true;
}

// Logged once for each new problem, so that a missing board does not flood
// the log but a fixed and broken-again one is reported again.
void ReportProblem(const std::string& problem)
{
    Cache& cache = TheCache();
    if (problem == cache.lastReportedProblem)
        return;
    cache.lastReportedProblem = problem;
    LogLine("KyAcpi board unavailable: %s", problem.c_str());
}

bool BoardPath(std::string& path, std::string& problem)
{
    char value[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KYACPI_BOARD", value, sizeof value);
    if (length >= sizeof value) {
        problem = "KYACPI_BOARD is longer than MAX_PATH";
        return false;
    }
    if (length > 0) {
        path = value;
        return true;
    }
    path = TheCache().libraryFolder + "\\" + kDefaultBoardName;
    return true;
}

// Sets `problem` when the file cannot be read.
void ReadText(const std::string& path, std::string& text, std::string& problem)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        char code[32];
        std::snprintf(code, sizeof code, " (error %lu)", GetLastError());
        problem =
            "cannot open board file " + path + code + "; set KYACPI_BOARD or put KyAcpiBoard.ini beside KyAcpi.dll";
        return;
    }
    text.clear();
    char chunk[16384];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr) != FALSE) && got > 0)
        text.append(chunk, got);
    CloseHandle(file);
    if (!ok)
        problem = "cannot read board file " + path;
}

std::string JoinNumbers(const std::vector<int>& numbers)
{
    std::string text;
    for (size_t i = 0; i < numbers.size(); i++)
        text += (i ? "," : "") + std::to_string(numbers[i]);
    return text;
}

}  // namespace

void SetLibraryFolder(const std::string& folder)
{
    TheCache().libraryFolder = folder;
}

BoardSession::BoardSession()
{
    HANDLE mutex = TheMutex();
    if (!mutex) {
        LogLine("KyAcpi board unavailable: cannot create the mutex %s", kMutexName);
        return;
    }
    DWORD waited = WaitForSingleObject(mutex, kLockTimeoutMs);
    // An abandoned mutex means its holder died; the file is still whole
    // because every write replaces it in one step.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        LogLine("KyAcpi board unavailable: the board is locked by another process");
        return;
    }
    m_mutex = mutex;
    m_locked = true;
    Load();
}

BoardSession::~BoardSession()
{
    if (m_locked)
        ReleaseMutex(static_cast<HANDLE>(m_mutex));
}

void BoardSession::Load()
{
    Cache& cache = TheCache();
    std::string path, text, problem;
    FileStamp stamp;
    bool stamped = false;
    if (BoardPath(path, problem)) {
        // Taken before the read: a change while reading shows at the next call.
        stamped = StampOf(path, stamp);
        if (stamped && cache.stamped && cache.parsed && path == cache.path && stamp == cache.stamp) {
            m_board = &cache.board;  // the very file that was parsed last time
            return;
        }
    }
    cache.stamped = false;
    if (problem.empty())
        ReadText(path, text, problem);
    if (!problem.empty()) {
        cache.parsed = false;
        cache.path.clear();
        ReportProblem(problem);
        return;
    }
    if (!cache.parsed || path != cache.path || text != cache.text) {
        cache.path = path;
        cache.text = text;
        std::string error;
        cache.parsed = ParseBoard(text, cache.board, error);
        if (!cache.parsed) {
            ReportProblem("malformed board file " + path + ": " + error);
            return;
        }
    }
    cache.stamp = stamp;
    cache.stamped = stamped;
    cache.lastReportedProblem.clear();
    m_board = &cache.board;
}

bool BoardSession::Save(const BoardItem& item)
{
    Cache& cache = TheCache();
    std::string text = WithItemKey(cache.text, item.id, "value", std::to_string(item.value));
    if (item.IsPerCore())
        text = WithItemKey(text, item.id, "cores", JoinNumbers(item.cores));
    if (!standin::ReplaceFileAtomically(cache.path, text)) {
        DWORD error = GetLastError();
        LogLine("KyAcpi board: cannot write board file %s (error %lu)", cache.path.c_str(), error);
        return false;
    }
    cache.text = text;
    // Every process reads the file again at its next call; this one knows
    // what it wrote.
    if (volatile LONG* writes = SharedWriteCount())
        InterlockedIncrement(writes);
    cache.stamped = StampOf(cache.path, cache.stamp);
    return true;
}

}  // namespace kyacpi
