#include "platform/kyacpi/BoardParser.h"

#include <climits>
#include <cstdio>

#include "platform/kyacpi/BoardText.h"

namespace kyacpi {

int BoardItem::ValueCount() const
{
    switch (Kind()) {
    case ItemKind::Number:
        return count + static_cast<int>(strings.size());
    case ItemKind::String:
        return static_cast<int>(strings.size());
    case ItemKind::Boolean:
        return 2;
    }
    return 0;
}

BoardItem* Board::Find(DWORD id)
{
    for (BoardItem& item : items)
        if (item.id == id)
            return &item;
    return nullptr;
}

const BoardItem* Board::Find(DWORD id) const
{
    return const_cast<Board*>(this)->Find(id);
}

namespace {

class Parser {
public:
    Parser(Board& board, std::string& error) : m_board(board), m_error(error) {}

    bool Run(const std::string& text)
    {
        for (const IniLine& line : SplitIni(text)) {
            m_line = line.number;
            bool ok = true;
            switch (line.kind) {
            case IniLine::Kind::Blank:
                break;
            case IniLine::Kind::Bad:
                ok = Fail("neither a [section], a key=value nor a comment");
                break;
            case IniLine::Kind::Section:
                ok = StartSection(line.section);
                break;
            case IniLine::Kind::Key:
                ok = TakeKey(line.key, line.value);
                break;
            }
            if (!ok)
                return false;
        }
        m_line = 0;
        return CheckBoard();
    }

private:
    enum class Section { Board, Group, Item };

    bool Fail(const std::string& what)
    {
        char where[32];
        std::snprintf(where, sizeof where, m_line ? "line %d: " : "", m_line);
        m_error = where + what;
        return false;
    }

    bool StartSection(const std::string& name)
    {
        m_sawSection = true;
        long long number = 0;
        if (name == "board") {
            m_section = Section::Board;
        } else if (name.compare(0, 6, "group.") == 0) {
            if (!ParseInteger(name.substr(6), number) || number < 0 || number > 255)
                return Fail("group number must be 0..255: [" + name + "]");
            m_section = Section::Group;
            m_group = static_cast<int>(number);
        } else if (ParseInteger(name, number)) {
            DWORD id = static_cast<DWORD>(number);
            if (m_board.Find(id))
                return Fail("item [" + name + "] appears twice");
            m_section = Section::Item;
            m_board.items.emplace_back();
            m_board.items.back().id = id;
            m_itemLines.push_back(m_line);
        } else {
            return Fail("unknown section [" + name + "]");
        }
        return true;
    }

    bool TakeKey(const std::string& key, const std::string& value)
    {
        switch (m_section) {
        case Section::Board:
            if (key == "info.result")
                return Word(value, m_board.infoResult);
            if (key != "info")
                return Fail("unknown key '" + key + "' in [board]");
            return Words(value, m_board.info);
        case Section::Group:
            if (key != "fail")
                return Fail("unknown key '" + key + "' in a group section");
            if (value == "1")
                m_board.failingGroups.insert(m_group);
            else if (value == "0")
                m_board.failingGroups.erase(m_group);
            else
                return Fail("fail= takes 0 or 1 in a group section");
            return true;
        case Section::Item:
            return TakeItemKey(m_board.items.back(), key, value);
        }
        return true;
    }

    bool TakeItemKey(BoardItem& item, const std::string& key, const std::string& value)
    {
        if (key == "name") {
            item.name = value;
            return true;
        }
        if (key == "attributes" || key == "info")
            return Word(value, key == "info" ? item.info : item.attributes);
        if (key == "base" || key == "step")
            return Ranged(value, -0x800000, 0x7FFFFF, key == "base" ? item.base : item.step, key);
        if (key == "exponent")
            return Ranged(value, -128, 127, item.exponent, key);
        if (key == "count")
            return Ranged(value, 0, INT_MAX, item.count, key);
        if (key == "value")
            return Ranged(value, INT_MIN, INT_MAX, item.value, key);
        if (key == "strings") {
            item.strings = SplitList(value, '|');
            return true;
        }
        if (key == "cores") {
            item.cores.clear();
            for (const std::string& part : SplitList(value, ',')) {
                int index = 0;
                if (!Ranged(part, 0, INT_MAX, index, key))
                    return false;
                item.cores.push_back(index);
            }
            return true;
        }
        if (key == "fail")
            return FailSwitches(item, value);
        if (key.compare(0, 3, "at.") == 0) {
            int position = 0;
            return Ranged(key.substr(3), 0, INT_MAX, position, key) && Word(value, item.at[position]);
        }
        if (key.compare(0, 5, "data.") == 0) {
            int number = 0;
            return Ranged(key.substr(5), 0, INT_MAX, number, key) && Words(value, item.data[number]);
        }
        return Fail("unknown key '" + key + "'");
    }

    bool FailSwitches(BoardItem& item, const std::string& value)
    {
        static const struct {
            const char* name;
            FailSwitch bit;
        } kSwitches[] = {{"read", kFailRead}, {"write", kFailWrite}, {"descriptor", kFailDescriptor},
                         {"data", kFailData}, {"at", kFailAt},       {"values", kFailValues}};
        item.failures = 0;
        for (const std::string& part : SplitList(value, ',')) {
            if (part.empty())
                continue;
            bool known = false;
            for (const auto& entry : kSwitches) {
                if (part == entry.name) {
                    item.failures |= entry.bit;
                    known = true;
                }
            }
            if (!known)
                return Fail("unknown fail switch '" + part + "' (read, write, descriptor, data, at, values)");
        }
        return true;
    }

    bool Word(const std::string& text, DWORD& word)
    {
        long long value = 0;
        if (!ParseInteger(text, value))
            return Fail("not a 32-bit number: '" + text + "'");
        word = static_cast<DWORD>(value);
        return true;
    }

    bool Words(const std::string& text, std::vector<DWORD>& words)
    {
        words.clear();
        if (text.empty())
            return true;
        for (const std::string& part : SplitList(text, ',')) {
            words.emplace_back();
            if (!Word(part, words.back()))
                return false;
        }
        return true;
    }

    bool Ranged(const std::string& text, long long low, long long high, int& result, const std::string& key)
    {
        long long value = 0;
        if (!ParseInteger(text, value) || value < low || value > high)
            return Fail(key + " must be a number in " + std::to_string(low) + ".." + std::to_string(high) + ": '" +
                        text + "'");
        result = static_cast<int>(value);
        return true;
    }

    // Rules that span keys, checked once the whole file is read.
    bool CheckBoard()
    {
        if (!m_sawSection)
            return Fail("no sections: an empty or truncated board file");
        const BoardItem* selector = m_board.Find(kCoreSelectorId);
        for (size_t i = 0; i < m_board.items.size(); i++) {
            const BoardItem& item = m_board.items[i];
            m_line = m_itemLines[i];
            bool extraStrings = item.Kind() == ItemKind::Number && !item.strings.empty();
            if (item.Kind() == ItemKind::Number && extraStrings != (FlagNibbleOf(item.id) == 8))
                return Fail("a number item has strings= exactly when its id carries flag 8 in bits 20-23");
            if (item.Kind() == ItemKind::String && item.strings.empty())
                return Fail("a string item needs strings=");
            if (item.Kind() != ItemKind::Number && (item.count || item.base || item.step || item.exponent))
                return Fail("base, exponent, step and count belong to number items");
            if (item.id == kCoreSelectorId && item.value != kAllCores &&
                (item.value < 0 || item.value >= item.ValueCount()))
                return Fail("the core selector's value must be 0..count-1 or 255");
            if (item.IsPerCore()) {
                if (item.Kind() != ItemKind::Number || HoldsRawValue(item.id) || item.id == kCoreSelectorId)
                    return Fail("cores= belongs to a number item of a tuning group");
                if (!selector)
                    return Fail("cores= needs the core selector item [0x030600F0]");
                if (static_cast<int>(item.cores.size()) != selector->ValueCount())
                    return Fail("cores= needs one value per core (the selector's count)");
            }
        }
        return true;
    }

    Board& m_board;
    std::string& m_error;
    Section m_section = Section::Board;
    int m_group = 0;
    int m_line = 0;
    bool m_sawSection = false;
    std::vector<int> m_itemLines;
};

}  // namespace

bool ParseBoard(const std::string& text, Board& board, std::string& error)
{
    board = Board{};
    error.clear();
    Parser parser(board, error);
    if (parser.Run(text))
        return true;
    board = Board{};
    return false;
}

}  // namespace kyacpi
