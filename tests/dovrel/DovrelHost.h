#pragma once
// A program folder for Dovrel in a temporary folder (the pictures and texts
// it loads, and "pngio.dll"), and a copy of this test program run there as
// a child, with its own common application-data folder (so its own profile
// folder) and a private simulated board.

#include <string>
#include <vector>

#include "BoardFixture.h"
#include "TestPaths.h"
#include "TestProcess.h"

namespace dovreltest {

class HostFolder {
public:
    HostFolder();
    // Takes a file (relative to the program folder) out of the copy.
    bool Remove(const std::string& relativePath);
    // The profile folder the child sees.
    std::string ProfileFile(const std::string& name) const;
    // Runs child `name`; its output lines.
    std::vector<std::string> Run(const std::string& name);

private:
    zxtest::TempFolder m_folder;
    zxtest::BoardFixture m_board;
};

// The value of "key=value" among `lines`; "<missing>" when absent.
std::string Value(const std::vector<std::string>& lines, const std::string& key);

}  // namespace dovreltest
