#pragma once
// Profile files through the library: save the current BIOS settings, load a
// file and apply what it may hold. Results are the exports' own.

namespace ocapi {

// 1 when the file was written.
int SaveCurrentSettings(const char* path);

// Reads the file and applies its tuning records in frequency-safe order,
// then broadcasts. 0, with nothing written, when the file cannot be read.
int LoadProfileFile(const char* path);

}  // namespace ocapi
