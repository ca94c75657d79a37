#include "app/controller/StartupChecks.h"

#include <cctype>

#include "app/protocol/ZendrixMessages.h"
#include "turboInfo_Intel/BiosInterface.h"
#include "platform/kyacpi/KyAcpi.h"
#include "vessa/System/KyMultiLang.h"

namespace {

bool HasConflictBit(DWORD item)
{
    int value = 0;
    return ReadItemValue(item, &value) && (value & kConflictBit) != 0;
}

// The arguments after the program name, split as the C runtime splits them
// for the usual cases: white space separates, double quotes group.
std::string NextArgument(const std::string& text, size_t& pos)
{
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
        ++pos;
    std::string argument;
    bool quoted = false;
    for (; pos < text.size(); ++pos) {
        char c = text[pos];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && std::isspace(static_cast<unsigned char>(c)))
            break;
        argument += c;
    }
    return argument;
}

}  // namespace

bool CheckTuningConflict()
{
    AcpiOpen();
    if (!IsItemPresent(kConflictStatusItemA) || !IsItemPresent(kConflictStatusItemB))
        return false;
    return HasConflictBit(kConflictStatusItemA) && HasConflictBit(kConflictStatusItemB);
}

bool TakeSingleInstance()
{
    // The handle is never closed: the mutex lives as long as the process.
    CreateMutexA(nullptr, TRUE, kSingleInstanceMutex);
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return true;
    if (HWND running = FindWindowA(kMainWindowClass, kProgramName)) {
        AllowSetForegroundWindow(ASFW_ANY);
        SendMessageA(running, kMsgShowFromSecondStart, kMessageSignature, 0);
    }
    return false;
}

bool IsRebootPending(vessa::RegAccessor& key)
{
    if (!key.Open(HKEY_LOCAL_MACHINE, kRunOnceKey, false))
        return false;
    std::string ignored;
    return key.ReadString(kRebootPendingValue, ignored);
}

bool HasCommandLineSwitch(const std::string& commandLine, char switchChar)
{
    size_t pos = 0;
    NextArgument(commandLine, pos);  // the program's own name
    const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(switchChar)));
    while (pos < commandLine.size()) {
        std::string argument = NextArgument(commandLine, pos);
        if (argument.size() == 2 && argument[0] == '-' &&
            std::tolower(static_cast<unsigned char>(argument[1])) == wanted)
            return true;
    }
    return false;
}

void ShowStartupText(const char* key)
{
    std::string text = vessa::KyMultiLang::Instance().Translate(key);
    MessageBoxA(nullptr, text.c_str(), kProgramName, MB_OK);
}
