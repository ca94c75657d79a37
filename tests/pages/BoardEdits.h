#pragma once
// Board edits the page tests share.

#include <cstdio>
#include <string>

#include "BoardFixture.h"

namespace pagetest {

// The selector, the ratio item and the status items of a board with
// `cores` cores, without the per-core turbo item unless `turboItem`.
inline void MakeCores(zxtest::BoardFixture& board, int cores, const char* status, bool turboItem)
{
    board.SetKey("0x030600F0", "count", std::to_string(cores));
    std::string ratios;
    for (int i = 0; i < cores; ++i)
        ratios += (i ? "," : "") + std::to_string(36 - i);
    board.SetKey("0x03060013", "cores", ratios);
    board.SetKey("0x00060008", "value", status);
    board.SetKey("0x00060009", "value", status);
    if (!turboItem)
        board.RemoveSection("0x030600F9");
}

// A number item of `count` values from `base` in `step`s, at value 2.
inline void AddNumber(zxtest::BoardFixture& board, const char* section, const char* name, const char* base,
                      const char* step, const char* count)
{
    board.SetKey(section, "name", name);
    board.SetKey(section, "base", base);
    board.SetKey(section, "step", step);
    board.SetKey(section, "count", count);
    board.SetKey(section, "value", "2");
}

// More items than the pages have room for: 12 CPU/chip voltages, 8 DRAM
// voltages and 4 graphics clocks; with `expert` also 6 expert options,
// else without the expert items (the DRAM group then shows).
inline void AddManyItems(zxtest::BoardFixture& board, bool expert)
{
    char section[16];
    for (int index = 0x20; index < 0x29; ++index) {  // 12 voltages with the board's three
        std::snprintf(section, sizeof section, "0x030200%02X", index);
        AddNumber(board, section, "Extra Voltage", "1200", "20", "20");
    }
    for (int index : {0x30, 0x31, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38}) {  // 8 DRAM voltages
        std::snprintf(section, sizeof section, "0x030200%02X", index);
        AddNumber(board, section, "Extra Voltage", "1200", "20", "20");
    }
    for (const char* graphics : {"0x03010160", "0x03010161"}) {  // 4 graphics clocks with the board's two
        AddNumber(board, graphics, "Graphics Clock", "40000", "5000", "25");
    }
    if (!expert) {
        board.RemoveSection("0x03080018");
        return;
    }
    for (int index = 0x40; index < 0x44; ++index) {  // 6 expert options with the board's two
        std::snprintf(section, sizeof section, "0x030800%02X", index);
        board.SetKey(section, "name", "Expert Option");
        board.SetKey(section, "strings", "Off|On");
        board.SetKey(section, "value", "0");
    }
}

}  // namespace pagetest
