#pragma once
// Command line of the system-control service stand-in.
//
//   --state N        QueryState answers with this state (default 0)
//   --detail N       and this second word (default 0)
//   --word0 N        first reply word of both answers (default 1 = success)
//   --reply-bytes N  send exactly N reply bytes (cut, or padded with zeros)
//   --delay-ms N     wait this long before answering
//   --no-reply       read and log the request, then drop the connection
//   --log FILE       append one line per request to FILE
//   --pipe NAME      serve \\.\PIPE\NAME instead of the program's control
//                    pipe (tests: one private pipe per test program)

#include <cstdint>
#include <string>

#include "platform/syscontrol/SysCtrlProtocol.h"

struct ServiceOptions {
    uint32_t state = 0;
    uint32_t detail = 0;
    uint32_t word0 = 1;
    int replyBytes = -1;  // -1: the natural size of the answer
    uint32_t delayMs = 0;
    bool noReply = false;
    std::string logFile;
    std::string pipeName = kSysCtrlPipeName;
};

// False (with `error` set) for an unknown option or a missing/bad number.
bool ParseServiceOptions(int argc, char** argv, ServiceOptions& options, std::string& error);
