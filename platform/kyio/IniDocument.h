#pragma once
// A small ini document that keeps the file's own lines (comments, order,
// spelling), so that one changed key rewrites only that line.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kyio {

// Decimal or 0x-prefixed hexadecimal, the whole text; false otherwise.
bool ParseNumber(const std::string& text, std::uint64_t& value);

class IniDocument {
public:
    void Parse(const std::string& text);
    std::string Text() const;

    // Section names of the file, in file order.
    std::vector<std::string> Sections() const;
    // Key/value pairs of one section (case-insensitive name), in file order.
    std::vector<std::pair<std::string, std::string>> Entries(const std::string& section) const;

    // Sets the key of the section whose name parses to `key` (numeric keys
    // such as 0xC0010064 match however they are spelled); adds the key, and
    // the section when needed, at the section's end.
    void SetNumericKey(const std::string& section, std::uint64_t key, const std::string& newKeyText,
                       const std::string& value);

private:
    struct Line {
        std::string text;
        std::string section;  // the section this line belongs to (or opens)
        std::string key;      // empty unless the line is key=value
        std::string value;
        bool opensSection = false;
    };
    std::vector<Line> m_lines;
};

bool SameName(const std::string& a, const std::string& b);

}  // namespace kyio
