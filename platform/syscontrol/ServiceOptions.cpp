#include "ServiceOptions.h"

#include <cstdlib>
#include <cstring>

namespace {

bool ParseNumber(const char* text, uint32_t& value)
{
    if (!text || !*text)
        return false;
    char* end = nullptr;
    unsigned long parsed = std::strtoul(text, &end, 0);
    if (*end != '\0')
        return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

}  // namespace

bool ParseServiceOptions(int argc, char** argv, ServiceOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const char* name = argv[i];
        if (std::strcmp(name, "--no-reply") == 0) {
            options.noReply = true;
            continue;
        }
        const char* argument = i + 1 < argc ? argv[i + 1] : nullptr;
        std::string* text = std::strcmp(name, "--log") == 0    ? &options.logFile
                            : std::strcmp(name, "--pipe") == 0 ? &options.pipeName
                                                               : nullptr;
        if (text) {
            if (!argument || !*argument || (text == &options.pipeName && std::strchr(argument, '\\'))) {
                error = std::string(name) + (text == &options.logFile ? " needs a file name" : " needs a pipe name");
                return false;
            }
            *text = argument;
            ++i;
            continue;
        }

        uint32_t* target = nullptr;
        uint32_t replyBytes = 0;
        if (std::strcmp(name, "--state") == 0)
            target = &options.state;
        else if (std::strcmp(name, "--detail") == 0)
            target = &options.detail;
        else if (std::strcmp(name, "--word0") == 0)
            target = &options.word0;
        else if (std::strcmp(name, "--delay-ms") == 0)
            target = &options.delayMs;
        else if (std::strcmp(name, "--reply-bytes") == 0)
            target = &replyBytes;
        else {
            error = std::string("unknown option ") + name;
            return false;
        }
        if (!ParseNumber(argument, *target)) {
            error = std::string(name) + " needs a number";
            return false;
        }
        if (target == &replyBytes) {
            if (replyBytes > 4096) {
                error = "--reply-bytes is at most 4096";
                return false;
            }
            options.replyBytes = static_cast<int>(replyBytes);
        }
        ++i;
    }
    return true;
}
