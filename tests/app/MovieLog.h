#pragma once
// The calls the movie stand-in's log (FLASHOBJ_LOG) shows the movies
// received, each as "name=argument", in order.

#include <string>
#include <vector>

#include "TestFiles.h"

namespace apptest {

inline std::vector<std::string> MovieCalls(const std::string& logPath)
{
    std::vector<std::string> calls;
    const std::string prefix = "flash_callFunction request=<invoke name=\"";
    for (const std::string& line : zxtest::ReadLines(logPath)) {
        if (line.compare(0, prefix.size(), prefix) != 0)
            continue;
        const size_t nameEnd = line.find('"', prefix.size());
        const size_t argument = line.find("<string>") + 8;
        calls.push_back(line.substr(prefix.size(), nameEnd - prefix.size()) + "=" +
                        line.substr(argument, line.find("</string>") - argument));
    }
    return calls;
}

}  // namespace apptest
