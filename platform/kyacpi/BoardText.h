#pragma once
// The board file as lines of ini text: what the parser reads, and the edit
// that puts a changed value back into the text without disturbing the rest.

#include <windows.h>

#include <string>
#include <vector>

namespace kyacpi {

struct IniLine {
    enum class Kind { Blank, Section, Key, Bad };
    Kind kind = Kind::Blank;
    int number = 0;       // 1-based line number
    std::string section;  // Section: its name; Key: the section it is in
    std::string key;      // Key: name, lower case
    std::string value;    // Key: value, trimmed
    size_t start = 0;     // byte range of the line in the text, without its end
    size_t end = 0;
};

// Comments start with ';' or '#'. Keys are case-insensitive.
std::vector<IniLine> SplitIni(const std::string& text);

// Reads a decimal or 0x hexadecimal integer, optionally signed, that fits in
// 32 bits (signed or unsigned).
bool ParseInteger(const std::string& text, long long& value);
std::vector<std::string> SplitList(const std::string& text, char separator);

// Sets `key=value` in the section of item `id`: replaces the key's line, or
// adds one after the section's last key. The section must exist.
std::string WithItemKey(const std::string& text, DWORD id, const std::string& key, const std::string& value);

}  // namespace kyacpi
