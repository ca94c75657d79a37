#pragma once
// A private simulated board for one test: a copy of the default board in a
// temp folder (edited as the case needs), and the call log of the item
// library. The environment it gives points a child process at both.

#include <string>
#include <vector>

#include "TestPaths.h"
#include "TestProcess.h"

namespace ocapitest {

class BoardFixture {
public:
    BoardFixture();  // the default board, unchanged

    // Edits before the board is used. `section` is e.g. "0x03010011".
    void SetKey(const std::string& section, const std::string& key, const std::string& value);
    void RemoveSection(const std::string& section);
    bool Write();  // writes the board file; the first Environment() call does it too

    zxtest::Environment Environment();
    std::string File(const std::string& name) const { return m_folder.File(name); }

    std::vector<std::string> LogLines() const;
    // The item writes of the log, each as "id=0x%08X index=%d mode=%d result=%d".
    std::vector<std::string> Writes() const;
    std::string BoardText() const;

private:
    zxtest::TempFolder m_folder;
    std::string m_boardPath;
    std::string m_logPath;
    std::vector<std::string> m_lines;  // the board file being edited
    bool m_written = false;
};

// A profile file image: magic, version, count, then the records.
std::string ProfileBytes(const std::vector<std::pair<unsigned, int>>& records, unsigned version = 1,
                         unsigned count = ~0u);

}  // namespace ocapitest
