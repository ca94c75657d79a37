#include "platform/kyacpi/BoardText.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace kyacpi {

namespace {

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool SectionIsItem(const std::string& section, DWORD id)
{
    long long value = 0;
    return ParseInteger(section, value) && static_cast<DWORD>(value) == id;
}

}  // namespace

std::vector<IniLine> SplitIni(const std::string& text)
{
    std::vector<IniLine> lines;
    std::string section;
    size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        IniLine line;
        line.number = ++number;
        line.start = start;
        line.end = (end > start && text[end - 1] == '\r') ? end - 1 : end;
        std::string content = Trim(text.substr(start, end - start));
        if (content.empty() || content[0] == ';' || content[0] == '#') {
            line.kind = IniLine::Kind::Blank;
        } else if (content[0] == '[') {
            if (content.back() == ']') {
                line.kind = IniLine::Kind::Section;
                section = Trim(content.substr(1, content.size() - 2));
                line.section = section;
            } else {
                line.kind = IniLine::Kind::Bad;
            }
        } else {
            size_t equals = content.find('=');
            if (equals == std::string::npos || section.empty()) {
                line.kind = IniLine::Kind::Bad;
            } else {
                line.kind = IniLine::Kind::Key;
                line.section = section;
                line.key = Lower(Trim(content.substr(0, equals)));
                line.value = Trim(content.substr(equals + 1));
            }
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool ParseInteger(const std::string& text, long long& value)
{
    std::string digits = Trim(text);
    bool negative = false;
    size_t at = 0;
    if (at < digits.size() && (digits[at] == '-' || digits[at] == '+')) {
        negative = digits[at] == '-';
        at++;
    }
    int base = 10;
    if (digits.size() > at + 1 && digits[at] == '0' && (digits[at + 1] == 'x' || digits[at + 1] == 'X')) {
        base = 16;
        at += 2;
    }
    if (at >= digits.size())
        return false;
    for (size_t i = at; i < digits.size(); i++) {
        if (base == 16 ? !std::isxdigit(static_cast<unsigned char>(digits[i]))
                       : !std::isdigit(static_cast<unsigned char>(digits[i])))
            return false;
    }
    if (digits.size() - at > 10)
        return false;
    errno = 0;
    unsigned long long magnitude = std::strtoull(digits.c_str() + at, nullptr, base);
    if (errno != 0 || magnitude > 0xFFFFFFFFull || (negative && magnitude > 0x80000000ull))
        return false;
    value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return true;
}

std::vector<std::string> SplitList(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        parts.push_back(Trim(text.substr(start, end == std::string::npos ? std::string::npos : end - start)));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return parts;
}

std::string WithItemKey(const std::string& text, DWORD id, const std::string& key, const std::string& value)
{
    const std::string lineEnd = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::vector<IniLine> lines = SplitIni(text);
    const IniLine* header = nullptr;
    const IniLine* lastKey = nullptr;
    for (const IniLine& line : lines) {
        if (line.kind == IniLine::Kind::Section) {
            if (header)
                break;
            if (SectionIsItem(line.section, id))
                header = &line;
        } else if (header && line.kind == IniLine::Kind::Key) {
            if (line.key == key)
                return text.substr(0, line.start) + key + "=" + value + text.substr(line.end);
            lastKey = &line;
        }
    }
    if (!header)
        return text;
    const IniLine* after = lastKey ? lastKey : header;
    std::string added = key + "=" + value;
    if (after->end >= text.size())
        return text + lineEnd + added + lineEnd;
    // Insert after the line's end (which is "\n" or "\r\n").
    size_t insertAt = text.find('\n', after->end) + 1;
    return text.substr(0, insertAt) + added + lineEnd + text.substr(insertAt);
}

}  // namespace kyacpi
