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

// What the last session read; only touched while the mutex is held.
struct Cache {
    std::string libraryFolder;
    std::string path;
    std::string text;
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

bool ReadText(const std::string& path, std::string& text, std::string& problem)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        char code[32];
        std::snprintf(code, sizeof code, " (error %lu)", GetLastError());
        problem = "cannot open board file " + path + code +
                  "; set KYACPI_BOARD or put KyAcpiBoard.ini beside KyAcpi.dll";
        return false;
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
    return ok;
}

std::string JoinNumbers(const std::vector<int>& numbers)
{
    std::string text;
    for (size_t i = 0; i < numbers.size(); i++)
        text += (i ? "," : "") + std::to_string(numbers[i]);
    return text;
}

}  // namespace

void SetLibraryFolder(const std::string& folder) { TheCache().libraryFolder = folder; }

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
    if (!BoardPath(path, problem) || !ReadText(path, text, problem)) {
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
    return true;
}

}  // namespace kyacpi
