#include "LibraryCaller.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <thread>

#include "BroadcastListener.h"
#include "PrivateDesktop.h"
#include "ZxOcLibModule.h"

namespace ocapitest {

namespace {

const char kCallsVariable[] = "ZXOC_TEST_CALLS";
const char kByOrdinalVariable[] = "ZXOC_TEST_BY_ORDINAL";
const char kDesktopVariable[] = "ZXOC_TEST_DESKTOP";
constexpr int kUntouched = -7;

std::string Variable(const char* name)
{
    char value[8192];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream stream(text);
    while (std::getline(stream, part, separator)) {
        if (!part.empty() && part.back() == '\r')
            part.pop_back();
        if (!part.empty())
            parts.push_back(part);
    }
    return parts;
}

FARPROC Find(const ZxOcLibModule& library, const std::string& name, bool byOrdinal)
{
    if (!byOrdinal)
        return library.ByName(name.c_str());
    for (const auto& entry : ExpectedExports()) {
        if (name == entry.name)
            return library.ByOrdinal(entry.ordinal);
    }
    return nullptr;
}

void Call(const ZxOcLibModule& library, const std::string& call, bool byOrdinal)
{
    size_t space = call.find(' ');
    std::string name = call.substr(0, space);
    std::string argument = space == std::string::npos ? "" : call.substr(space + 1);
    bool null = argument == "null";
    FARPROC function = Find(library, name, byOrdinal);
    if (!function) {
        std::printf("%s missing\n", name.c_str());
        return;
    }
    if (name.find("Query") != std::string::npos) {
        ItemInfo info;
        std::memset(&info, 0x5A, sizeof info);  // shows what the library left untouched
        int result = As<ZxOcQueryInfoFunction>(function)(null ? nullptr : &info);
        size_t nameLength = strnlen(info.name, sizeof info.name);
        std::printf("%s result=%d name=%.*s nameLength=%u min=%d/%d step=%d/%d count=%d\n", name.c_str(), result,
                    static_cast<int>(nameLength), info.name, static_cast<unsigned>(nameLength), info.minimumNumerator,
                    info.minimumDenominator, info.stepNumerator, info.stepDenominator, info.valueCount);
    } else if (name.find("Get") != std::string::npos) {
        int value = kUntouched;
        int result = As<ZxOcGetValueFunction>(function)(null ? nullptr : &value);
        std::printf("%s result=%d value=%d\n", name.c_str(), result, value);
    } else if (name.find("Set") != std::string::npos) {
        int result = As<ZxOcSetValueFunction>(function)(std::atoi(argument.c_str()));
        std::printf("%s result=%d\n", name.c_str(), result);
    } else if (name == "ZxOcIsOxlenMode") {
        std::printf("%s result=%d\n", name.c_str(), As<ZxOcModeFunction>(function)());
    } else {
        int result = As<ZxOcProfileFunction>(function)(null ? nullptr : argument.c_str());
        std::printf("%s result=%d\n", name.c_str(), result);
    }
    std::fflush(stdout);
}

// A desktop kept for this process's life. A desktop ends when nobody is on
// it, so one thread of ours stays there with a window.
std::string CallerDesktop()
{
    static const std::string name = [] {
        auto* desktop = new zxtest::PrivateDesktop();  // kept for the process
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread([desktop, ready] {
            if (desktop->AttachCurrentThread())
                CreateWindowExA(0, "STATIC", "ZxTestDesktopKeeper", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
            SetEvent(ready);
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0)
                DispatchMessageA(&message);
        }).detach();
        WaitForSingleObject(ready, INFINITE);
        CloseHandle(ready);
        return desktop->Name();
    }();
    return name;
}

}  // namespace

ZX_TEST_CHILD(zxoclib_caller)
{
    zxtest::PrivateDesktop desktop(Variable(kDesktopVariable));
    if (!desktop.AttachCurrentThread()) {
        std::printf("no private desktop\n");
        return 90;
    }
    zxtest::BroadcastListener receiver;
    if (!receiver.IsReady())
        return 91;
    ZxOcLibModule library;
    if (!library.IsLoaded()) {
        std::printf("ZxOcLib.dll did not load\n");
        return 92;
    }
    bool byOrdinal = !Variable(kByOrdinalVariable).empty();
    for (const std::string& call : Split(Variable(kCallsVariable), '|'))
        Call(library, call, byOrdinal);

    // Posted messages arrive at once on this desktop; the pause only makes
    // sure a late or doubled one would be seen.
    receiver.Pump(300);
    std::printf("broadcasts=%u\n", static_cast<unsigned>(receiver.Received().size()));
    for (const auto& broadcast : receiver.Received())
        std::printf("broadcast wParam=0x%x lParam=0x%x\n", static_cast<unsigned>(broadcast.wParam),
                    static_cast<unsigned>(broadcast.lParam));
    std::fflush(stdout);
    return 0;
}

std::string CallerRun::Line(const std::string& prefix, size_t n) const
{
    for (const std::string& line : lines) {
        if (line.compare(0, prefix.size(), prefix) == 0 && n-- == 0)
            return line;
    }
    return "";
}

int CallerRun::Broadcasts() const
{
    std::string line = Line("broadcasts=");
    return line.empty() ? -1 : std::atoi(line.c_str() + 11);
}

CallerRun RunCalls(const std::vector<std::string>& calls, const zxtest::Environment& environment, bool byOrdinal)
{
    std::string joined;
    for (const std::string& call : calls)
        joined += call + "|";
    zxtest::Environment childEnvironment = environment;
    childEnvironment.push_back({kCallsVariable, joined});
    childEnvironment.push_back({kByOrdinalVariable, byOrdinal ? "1" : ""});
    // One desktop of this test program's own for all its callers: the cases
    // run one after another, so each caller sees only its own broadcasts.
    childEnvironment.push_back({kDesktopVariable, CallerDesktop()});

    CallerRun run;
    run.process = zxtest::RunChild("zxoclib_caller", childEnvironment, 60000);
    run.lines = Split(run.process.output, '\n');
    EXPECT_TRUE(run.process.started);
    EXPECT_FALSE(run.process.timedOut) << run.process.output;
    EXPECT_EQ(run.process.exitCode, 0u) << run.process.output;
    return run;
}

}  // namespace ocapitest
