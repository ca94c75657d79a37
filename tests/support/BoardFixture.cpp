#include "BoardFixture.h"

#include <sstream>

#include "TestFiles.h"

namespace zxtest {

namespace {

std::string SectionHeader(const std::string& section)
{
    return "[" + section + "]";
}

bool IsSectionHeader(const std::string& line)
{
    return !line.empty() && line[0] == '[';
}

void AppendWord(std::string& bytes, unsigned word)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((word >> shift) & 0xFF);
}

}  // namespace

BoardFixture::BoardFixture(const std::string& shippedBoard)
{
    m_lines =
        zxtest::ReadLines(zxtest::JoinPath(zxtest::SourceDir(), "platform\\kyacpi\\boards\\" + shippedBoard + ".ini"));
}

void BoardFixture::SetKey(const std::string& section, const std::string& key, const std::string& value)
{
    std::string header = SectionHeader(section);
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i] != header)
            continue;
        size_t end = i + 1;
        for (; end < m_lines.size() && !IsSectionHeader(m_lines[end]); ++end) {
            if (m_lines[end].compare(0, key.size() + 1, key + "=") == 0) {
                m_lines[end] = key + "=" + value;
                return;
            }
        }
        m_lines.insert(m_lines.begin() + i + 1, key + "=" + value);
        return;
    }
    m_lines.push_back(header);
    m_lines.push_back(key + "=" + value);
}

void BoardFixture::RemoveSection(const std::string& section)
{
    std::string header = SectionHeader(section);
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i] != header)
            continue;
        size_t end = i + 1;
        while (end < m_lines.size() && !IsSectionHeader(m_lines[end]))
            ++end;
        m_lines.erase(m_lines.begin() + i, m_lines.begin() + end);
        return;
    }
}

namespace {

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

}  // namespace

zxtest::Environment BoardFixture::Environment()
{
    if (!m_board)
        m_board = std::make_unique<zxtest::SimulatedBoard>(zxtest::SimulatedBoard::FromText(JoinLines(m_lines)));
    return m_board->Env();
}

void BoardFixture::Rewrite()
{
    if (!m_board)
        Environment();
    else
        m_board->Rewrite(JoinLines(m_lines));
}

std::vector<std::string> BoardFixture::LogLines() const
{
    return m_board ? m_board->LogLines() : std::vector<std::string>{};
}

std::vector<std::string> BoardFixture::Writes() const
{
    std::vector<std::string> writes;
    const std::string marker = "AcpiSetItemValue ";
    for (const std::string& line : LogLines()) {
        size_t at = line.find(marker);
        if (at != std::string::npos)
            writes.push_back(line.substr(at + marker.size()));
    }
    return writes;
}

std::string BoardFixture::BoardText() const
{
    return m_board ? m_board->BoardText() : std::string();
}

std::string ProfileBytes(const std::vector<std::pair<unsigned, int>>& records, unsigned version, unsigned count)
{
    std::string bytes = "KYOC";
    AppendWord(bytes, version);
    AppendWord(bytes, count == ~0u ? static_cast<unsigned>(records.size()) : count);
    for (const auto& [id, index] : records) {
        AppendWord(bytes, id);
        AppendWord(bytes, static_cast<unsigned>(index));
    }
    return bytes;
}

}  // namespace zxtest
