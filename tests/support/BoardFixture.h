#pragma once
// A private simulated board for one test: a shipped board, edited as the
// case needs, with its call log, and a folder for the case's profile files.

#include <memory>
#include <string>
#include <vector>

#include "SimulatedBoard.h"
#include "TestPaths.h"
#include "TestProcess.h"

namespace zxtest {

class BoardFixture {
public:
    // A shipped board (platform/kyacpi/boards/<name>.ini), unchanged.
    explicit BoardFixture(const std::string& shippedBoard = "default");

    // Edits before the board is used. `section` is e.g. "0x03010011".
    void SetKey(const std::string& section, const std::string& key, const std::string& value);
    void RemoveSection(const std::string& section);

    // Makes the board from the edits on the first call.
    zxtest::Environment Environment();
    // Writes the edits made since into the board (its NVRAM), so that a
    // process already using the board sees them at its next call.
    void Rewrite();
    std::string File(const std::string& name) const { return m_folder.File(name); }

    std::vector<std::string> LogLines() const;
    // The item writes of the log, each as "id=0x%08X index=%d mode=%d result=%d".
    std::vector<std::string> Writes() const;
    std::string BoardText() const;

private:
    zxtest::TempFolder m_folder;
    std::vector<std::string> m_lines;  // the board file being edited
    std::unique_ptr<zxtest::SimulatedBoard> m_board;
};

// A profile file image: magic, version, count, then the records.
std::string ProfileBytes(const std::vector<std::pair<unsigned, int>>& records, unsigned version = 1,
                         unsigned count = ~0u);

}  // namespace zxtest
