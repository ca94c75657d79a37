#include "IniDocument.h"

#include <cctype>
#include <cstdlib>

namespace kyio {

namespace {

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

}  // namespace

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool ParseNumber(const std::string& text, std::uint64_t& value)
{
    std::string trimmed = Trim(text);
    if (trimmed.empty() || trimmed[0] == '-' || trimmed[0] == '+')
        return false;
    int base = 10;
    const char* digits = trimmed.c_str();
    if (trimmed.size() > 2 && trimmed[0] == '0' && (trimmed[1] == 'x' || trimmed[1] == 'X')) {
        base = 16;
        digits += 2;
    }
    char* end = nullptr;
    unsigned long long parsed = std::strtoull(digits, &end, base);
    if (end == digits || *end != '\0')
        return false;
    value = parsed;
    return true;
}

void IniDocument::Parse(const std::string& text)
{
    m_lines.clear();
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        Line line;
        line.text = text.substr(start, end - start);
        if (!line.text.empty() && line.text.back() == '\r')
            line.text.pop_back();
        start = end + 1;

        std::string trimmed = Trim(line.text);
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            section = Trim(trimmed.substr(1, trimmed.size() - 2));
            line.opensSection = true;
        } else if (!trimmed.empty() && trimmed[0] != ';' && trimmed[0] != '#') {
            size_t eq = trimmed.find('=');
            if (eq != std::string::npos && eq > 0) {
                line.key = Trim(trimmed.substr(0, eq));
                line.value = Trim(trimmed.substr(eq + 1));
            }
        }
        line.section = section;
        m_lines.push_back(line);
    }
}

std::string IniDocument::Text() const
{
    std::string text;
    for (const Line& line : m_lines) {
        text += line.text;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> IniDocument::Sections() const
{
    std::vector<std::string> names;
    for (const Line& line : m_lines) {
        if (line.opensSection)
            names.push_back(line.section);
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> IniDocument::Entries(const std::string& section) const
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (const Line& line : m_lines) {
        if (!line.key.empty() && SameName(line.section, section))
            entries.emplace_back(line.key, line.value);
    }
    return entries;
}

void IniDocument::SetNumericKey(const std::string& section, std::uint64_t key, const std::string& newKeyText,
                                const std::string& value)
{
    size_t insertAt = m_lines.size();
    bool sectionFound = false;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        Line& line = m_lines[i];
        if (!SameName(line.section, section))
            continue;
        sectionFound = true;
        std::uint64_t number = 0;
        if (!line.key.empty() && ParseNumber(line.key, number) && number == key) {
            line.value = value;
            line.text = line.key + "=" + value;
            return;
        }
        // After the section's last non-blank line, before the blank lines that separate it.
        if (line.opensSection || !Trim(line.text).empty())
            insertAt = i + 1;
    }
    if (!sectionFound) {
        Line header;
        header.text = "[" + section + "]";
        header.section = section;
        header.opensSection = true;
        m_lines.push_back(header);
        insertAt = m_lines.size();
    }
    Line added;
    added.text = newKeyText + "=" + value;
    added.section = section;
    added.key = newKeyText;
    added.value = value;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), added);
}

}  // namespace kyio
