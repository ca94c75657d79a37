#pragma once
// Reads of the BIOS tables behind the CPU model (raw 32-bit words).

#include <windows.h>

#include <cstdint>
#include <vector>

// The words item `id` returns for number 0, at most bufferSize bytes; only
// whole words inside the returned size. False when the read fails.
bool ReadTableWords(DWORD id, int bufferSize, std::vector<std::uint32_t>& words);

// The ratio item's base word (descriptor element 4); 0 when there is no
// ratio item 0x03060013 in group 3.
int RatioItemBaseWord();
