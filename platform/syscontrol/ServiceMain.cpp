// ZxSystemControlService: stand-in for the maker's system-control service.
// It answers the two requests of the control pipe and can be told to answer
// wrongly, late or not at all, which is what the client's tests need.

#include <cstdio>
#include <string>

#include "PipeServer.h"
#include "ServiceOptions.h"

int main(int argc, char** argv)
{
    ServiceOptions options;
    std::string error;
    if (!ParseServiceOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "ZxSystemControlService: %s\n", error.c_str());
        std::fprintf(stderr, "usage: ZxSystemControlService [--state N] [--detail N] [--word0 N] [--reply-bytes N]\n"
                             "                              [--delay-ms N] [--no-reply] [--log FILE] [--pipe NAME]\n");
        return 2;
    }
    PipeServer server(options);
    return server.Run() ? 0 : 1;
}
