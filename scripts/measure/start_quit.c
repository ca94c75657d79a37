/* Starts tray programs alternately and times, for each start:
     start-up: process creation until the program's main window exists, its
               tray icon is in the shell and a message sent to the window is
               answered (the message loop runs);
     quit:     the quit message (WM_USER, wParam 0x55) posted to the main
               window until the process has ended.
   Each round starts every program twice: quit right after start-up, and quit
   after a pause of <settle> ms. After each end it checks that no process of
   that program file is left. Prints each start, then the medians and the
   ratios of each program to the first, and of the last to each other one.

   Usage: start_quit <rounds> <settle-ms> <class> <caption> <exe> [<class> <caption> <exe> ...] */

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define MAX_PROGRAMS 4
#define MAX_ROUNDS 64
#define WAIT_LIMIT_MS 30000

typedef struct {
    const char* className;
    const char* caption;
    const char* path;
    double startup[2 * MAX_ROUNDS];
    int startups;
    double quitAtOnce[MAX_ROUNDS];
    int quitsAtOnce;
    double quitSettled[MAX_ROUNDS];
    int quitsSettled;
    int leftRunning;
    int failures;
} Program;

static LARGE_INTEGER g_frequency;

static double Now(void)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * (double)now.QuadPart / (double)g_frequency.QuadPart;
}

typedef struct {
    DWORD pid;
    const char* className;
    const char* caption;
    HWND found;
} Query;

static BOOL CALLBACK Match(HWND window, LPARAM data)
{
    Query* query = (Query*)data;
    DWORD pid = 0;
    char text[256];
    GetWindowThreadProcessId(window, &pid);
    if (pid != query->pid)
        return TRUE;
    GetClassNameA(window, text, sizeof text);
    if (lstrcmpA(text, query->className) != 0)
        return TRUE;
    GetWindowTextA(window, text, sizeof text);
    if (lstrcmpA(text, query->caption) != 0)
        return TRUE;
    query->found = window;
    return FALSE;
}

static HWND FindMainWindow(DWORD pid, const Program* program)
{
    Query query = {pid, program->className, program->caption, NULL};
    EnumWindows(Match, (LPARAM)&query);
    return query.found;
}

/* A modify that changes nothing succeeds only for an icon the shell holds. */
static BOOL HasTrayIcon(HWND window)
{
    NOTIFYICONDATAA data;
    memset(&data, 0, sizeof data);
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &data);
}

static const char* FileName(const char* path)
{
    const char* name = path;
    const char* p;
    for (p = path; *p; ++p)
        if (*p == '\\' || *p == '/')
            name = p + 1;
    return name;
}

static int ProcessesNamed(const char* name)
{
    PROCESSENTRY32 entry;
    int count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    entry.dwSize = sizeof entry;
    if (Process32First(snapshot, &entry)) {
        do {
            if (lstrcmpiA(FileName(entry.szExeFile), name) == 0)
                ++count;
        } while (Process32Next(snapshot, &entry));
    }
    CloseHandle(snapshot);
    return count;
}

/* One start and quit; returns 0 on success. */
static int RunOnce(Program* program, DWORD settleMs, double* startup, double* quit)
{
    STARTUPINFOA startInfo;
    PROCESS_INFORMATION info;
    char commandLine[MAX_PATH + 2];
    HWND window = NULL;
    DWORD_PTR answer = 0;
    double begin, ready, quitAt;

    memset(&startInfo, 0, sizeof startInfo);
    startInfo.cb = sizeof startInfo;
    snprintf(commandLine, sizeof commandLine, "\"%s\"", program->path);
    begin = Now();
    if (!CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startInfo, &info)) {
        fprintf(stderr, "cannot start %s (%lu)\n", program->path, GetLastError());
        return 1;
    }
    for (;;) {
        if (window == NULL)
            window = FindMainWindow(info.dwProcessId, program);
        if (window != NULL && HasTrayIcon(window) &&
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, WAIT_LIMIT_MS, &answer))
            break;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0 || Now() - begin > WAIT_LIMIT_MS) {
            fprintf(stderr, "%s did not come up\n", program->path);
            TerminateProcess(info.hProcess, 1);
            CloseHandle(info.hThread);
            CloseHandle(info.hProcess);
            return 1;
        }
        Sleep(1);
    }
    ready = Now();
    *startup = ready - begin;

    if (settleMs > 0)
        Sleep(settleMs);
    quitAt = Now();
    PostMessageA(window, WM_USER, 0x55, 0);
    if (WaitForSingleObject(info.hProcess, WAIT_LIMIT_MS) != WAIT_OBJECT_0) {
        fprintf(stderr, "%s did not end on the quit message\n", program->path);
        TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        return 1;
    }
    *quit = Now() - quitAt;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (ProcessesNamed(FileName(program->path)) != 0)
        ++program->leftRunning;
    return 0;
}

static int Compare(const void* a, const void* b)
{
    double x = *(const double*)a, y = *(const double*)b;
    return x < y ? -1 : x > y;
}

static double Median(double* values, int count)
{
    if (count == 0)
        return 0.0;
    qsort(values, (size_t)count, sizeof *values, Compare);
    return count % 2 ? values[count / 2] : (values[count / 2 - 1] + values[count / 2]) / 2;
}

int main(int argc, char** argv)
{
    Program programs[MAX_PROGRAMS];
    int count = 0, rounds, round, i, failed = 0;
    DWORD settleMs;

    if (argc < 6 || (argc - 3) % 3 != 0) {
        fprintf(stderr, "usage: start_quit <rounds> <settle-ms> <class> <caption> <exe> ...\n");
        return 2;
    }
    QueryPerformanceFrequency(&g_frequency);
    rounds = atoi(argv[1]);
    if (rounds < 1)
        rounds = 1;
    if (rounds > MAX_ROUNDS)
        rounds = MAX_ROUNDS;
    settleMs = (DWORD)atoi(argv[2]);
    memset(programs, 0, sizeof programs);
    for (i = 3; i + 2 < argc && count < MAX_PROGRAMS; i += 3, ++count) {
        programs[count].className = argv[i];
        programs[count].caption = argv[i + 1];
        programs[count].path = argv[i + 2];
    }

    printf("%-14s %5s %12s %12s\n", "program", "round", "start-up ms", "quit ms");
    for (round = 0; round < rounds; ++round) {
        int pass;
        /* Pass 0 quits right after start-up, pass 1 after the pause. */
        for (pass = 0; pass < 2; ++pass) {
            for (i = 0; i < count; ++i) {
                Program* program = &programs[i];
                double startup = 0, quit = 0;
                if (RunOnce(program, pass ? settleMs : 0, &startup, &quit) != 0) {
                    ++program->failures;
                    failed = 1;
                    continue;
                }
                program->startup[program->startups++] = startup;
                if (pass)
                    program->quitSettled[program->quitsSettled++] = quit;
                else
                    program->quitAtOnce[program->quitsAtOnce++] = quit;
                printf("%-14s %5d %12.1f %12.1f%s\n", FileName(program->path), round + 1, startup, quit,
                       pass ? "  (after the pause)" : "  (at once)");
                fflush(stdout);
            }
        }
    }

    printf("\nmedians of %d rounds (quit after a pause of %lu ms, and at once after start-up):\n", rounds,
           (unsigned long)settleMs);
    printf("%-14s %12s %14s %14s\n", "program", "start-up ms", "quit ms", "quit at once");
    {
        double base[3] = {0, 0, 0};
        double startups[MAX_PROGRAMS];
        for (i = 0; i < count; ++i) {
            Program* program = &programs[i];
            double m[3];
            m[0] = Median(program->startup, program->startups);
            m[1] = Median(program->quitSettled, program->quitsSettled);
            m[2] = Median(program->quitAtOnce, program->quitsAtOnce);
            startups[i] = m[0];
            if (i == 0)
                memcpy(base, m, sizeof base);
            printf("%-14s %12.1f %14.1f %14.1f", FileName(program->path), m[0], m[1], m[2]);
            if (i > 0)
                printf("   ratios %.2fx %.2fx %.2fx", base[0] > 0 ? m[0] / base[0] : 0,
                       base[1] > 0 ? m[1] / base[1] : 0, base[2] > 0 ? m[2] / base[2] : 0);
            if (program->leftRunning)
                printf("   LEFT RUNNING after %d quits", program->leftRunning);
            if (program->failures)
                printf("   %d FAILED starts", program->failures);
            printf("\n");
        }
        /* The last program against each yardstick before it. */
        printf("\n");
        for (i = 0; i + 1 < count; ++i)
            printf("start-up ratio %s / %s: %.2fx\n", FileName(programs[count - 1].path), FileName(programs[i].path),
                   startups[i] > 0 ? startups[count - 1] / startups[i] : 0);
    }
    return failed;
}
