#pragma once
// The call logs of the stand-ins: one line per call, appended in one write,
// so that the lines of several processes never mix.

#include <string>

namespace standin {

// The log file named by the environment variable; "" when it is not set.
std::string LogPathFrom(const char* variable);

// Appends the line and its line end to the file (created when missing).
void AppendLine(const std::string& path, std::string line);

}  // namespace standin
