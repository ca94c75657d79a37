#pragma once
// The call log named by KYACPI_LOG: one line per call, each written with a
// single append so that lines of several processes never mix.

#include <string>

namespace kyacpi {

// printf-style; "pid=<pid> " goes in front and a line end after. Nothing
// happens when KYACPI_LOG is not set.
void LogLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace kyacpi
