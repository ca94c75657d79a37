#include "vessa/System/Source/DebugTrace.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

void DebugTrace(const char* format, ...)
{
    char text[kDebugTraceMaxText + 3];

    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(text, kDebugTraceMaxText + 1, format, arguments);
    va_end(arguments);

    // A formatting error leaves the buffer undefined: send an empty line
    // rather than whatever bytes happen to be there.
    if (length < 0)
        length = 0;
    else if (length > kDebugTraceMaxText)
        length = kDebugTraceMaxText;

    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\t' || text[length - 1] == '\r' ||
                          text[length - 1] == '\n' || text[length - 1] == '\v' || text[length - 1] == '\f'))
        --length;

    text[length] = '\r';
    text[length + 1] = '\n';
    text[length + 2] = '\0';
    OutputDebugStringA(text);
}
