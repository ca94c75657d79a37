#pragma once
// The simulated board as read from its board file: the information list,
// the items in BIOS order and the switches that make operations fail.

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace kyacpi {

// The hidden item whose value names the core that per-core items read and
// write; 255 selects the commit slot.
constexpr DWORD kCoreSelectorId = 0x030600F0;
constexpr int kAllCores = 255;

enum class ItemKind { Number, Boolean, String };

// Operations a board file can make fail for one item (`fail=`).
enum FailSwitch : unsigned {
    kFailRead = 1u << 0,        // ordinal 3
    kFailWrite = 1u << 1,       // ordinal 2
    kFailDescriptor = 1u << 2,  // ordinal 11
    kFailData = 1u << 3,        // ordinal 13
    kFailAt = 1u << 4,          // ordinal 12
    // Ordinal 11 reports no values: a string item without strings, a number
    // item with a value count of -1 and no extra strings.
    kFailValues = 1u << 5,
};

inline int GroupOf(DWORD id)
{
    return static_cast<int>(id >> 24);
}
inline unsigned FlagNibbleOf(DWORD id)
{
    return (id >> 20) & 0xF;
}
inline ItemKind KindOf(DWORD id)
{
    unsigned code = (id >> 16) & 0xF;
    if (code == 7)
        return ItemKind::Boolean;
    if (code == 8)
        return ItemKind::String;
    return ItemKind::Number;
}
// Status items (group 0) and power-saving switches (group 0x0B) hold raw
// values rather than value indexes.
inline bool HoldsRawValue(DWORD id)
{
    return GroupOf(id) == 0 || GroupOf(id) == 0x0B;
}

struct BoardItem {
    DWORD id = 0;
    std::string name;
    DWORD attributes = 0;
    DWORD info = 0;
    // Number items: base, signed decimal exponent, step and range count.
    int base = 0;
    int exponent = 0;
    int step = 0;
    int count = 0;
    // A number item's extra strings, or a string item's strings.
    std::vector<std::string> strings;
    // Current value index (raw value for status and switch items); for an
    // item with per-core values, the commit slot.
    int value = 0;
    std::vector<int> cores;                  // per-core value indexes; empty when not per-core
    std::map<int, DWORD> at;                 // ordinal 12 answers by position
    std::map<int, std::vector<DWORD>> data;  // ordinal 13 answers by number
    unsigned failures = 0;                   // FailSwitch bits

    ItemKind Kind() const { return KindOf(id); }
    bool Fails(FailSwitch operation) const { return (failures & operation) != 0; }
    bool IsPerCore() const { return !cores.empty(); }
    // Number of value indexes a write may choose from (0..count-1).
    int ValueCount() const;
};

struct Board {
    std::vector<DWORD> info;       // ordinal 4, after its two header words
    DWORD infoResult = 1;          // ordinal 4's result word (callers ignore it)
    std::vector<BoardItem> items;  // file order = BIOS order within a group
    std::set<int> failingGroups;   // ordinal 5 fails for these

    BoardItem* Find(DWORD id);
    const BoardItem* Find(DWORD id) const;
};

}  // namespace kyacpi
