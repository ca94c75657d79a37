#pragma once
// The state files of the stand-ins (the board's NVRAM, the simulated
// machine) are rewritten whole. A reader in another process, or a crash in
// the middle, must find the old file or the new one, never half of one.

#include <string>

namespace standin {

// Writes `text` beside `path`, flushes it to the disk and renames it over
// `path`, waiting until the rename is on the disk too. False (last error
// set, `path` untouched, nothing left behind) when any step fails, and for a
// read-only `path`: Windows refuses to replace one, Wine would not.
bool ReplaceFileAtomically(const std::string& path, const std::string& text);

}  // namespace standin
