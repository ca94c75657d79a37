#pragma once
// Board edits the page tests share.

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

}  // namespace pagetest
