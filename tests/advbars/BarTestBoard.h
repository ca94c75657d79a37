#pragma once
// The simulated board every bar test of this program runs on: the default
// board with a few items added for the bars' edge cases. The primary item
// set reads it once, at its first use in the process.

#include <string>
#include <vector>

#include "BoardFixture.h"

namespace bartest {

// Items added to the default board.
constexpr unsigned kSingleValueItemId = 0x03010070;  // one value
constexpr unsigned kEmptyItemId = 0x03010071;        // no value at all
constexpr unsigned kRatioUnitItemId = 0x030C0072;    // unit code 12
constexpr unsigned kGraphicsClockId = 0x03010060;    // 400.5 MHz + 0.3 MHz steps here
constexpr unsigned kGraphicsMemoryId = 0x03010061;

// The board, pointed at for this process on the first call.
zxtest::BoardFixture& TestBoard();
// The slot of the primary item set that holds `id`; -1 when none.
int SlotOf(unsigned id);
// The item writes the board saw since the program started.
std::vector<std::string> Writes();
// How many log lines name `call` with item `id`, e.g. ("AcpiReadItemData", 0x05080060).
int CallCount(const char* call, unsigned id);

// Sets a key of an item section and writes the board again.
void SetItemKey(unsigned id, const std::string& key, const std::string& value);

}  // namespace bartest
