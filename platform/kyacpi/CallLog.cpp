#include "platform/kyacpi/CallLog.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <string>

#include "platform/standinlog/AppendLine.h"

namespace kyacpi {

void LogLine(const char* format, ...)
{
    const std::string path = standin::LogPathFrom("KYACPI_LOG");
    if (path.empty())
        return;
    char line[1024];
    int used = std::snprintf(line, sizeof line, "pid=%lu ", GetCurrentProcessId());
    va_list arguments;
    va_start(arguments, format);
    int added = std::vsnprintf(line + used, sizeof line - used, format, arguments);
    va_end(arguments);
    if (added > 0)
        used += added < static_cast<int>(sizeof line) - used ? added : static_cast<int>(sizeof line) - used - 1;
    standin::AppendLine(path, std::string(line, static_cast<size_t>(used)));
}

}  // namespace kyacpi
