#include "platform/vcl/SysUtils.h"

#include <windows.h>

#include <cerrno>
#include <climits>
#include <cctype>
#include <cstdlib>

std::string IntToStr(long long value)
{
    return std::to_string(value);
}

int StrToInt(const std::string& text)
{
    std::string s = text;
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.erase(s.begin());
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.pop_back();
    bool negative = false;
    std::string digits = s;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
        negative = digits[0] == '-';
        digits.erase(0, 1);
    }
    int base = 10;
    if (!digits.empty() && digits[0] == '$') {
        base = 16;
        digits.erase(0, 1);
    } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.erase(0, 2);
    }
    const std::string error = "'" + text + "' is not a valid integer value";
    if (digits.empty())
        throw EConvertError(error);
    for (char c : digits) {
        bool ok = base == 10 ? (c >= '0' && c <= '9') : std::isxdigit(static_cast<unsigned char>(c)) != 0;
        if (!ok)
            throw EConvertError(error);
    }
    errno = 0;
    long long value = std::strtoll(digits.c_str(), nullptr, base);
    if (negative)
        value = -value;
    if (errno == ERANGE || value < INT_MIN || value > (base == 16 ? (long long)UINT_MAX : INT_MAX))
        throw EConvertError(error);
    return static_cast<int>(value);
}

int StrToIntDef(const std::string& text, int fallback)
{
    try {
        return StrToInt(text);
    } catch (const EConvertError&) {
        return fallback;
    }
}

std::string SysErrorMessage(unsigned long code)
{
    char buffer[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                                  sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}
