#pragma once
// A private copy of a simulated board for one test: the board file (the
// board's NVRAM) and its call log in a temp folder, and the environment
// that points KyAcpi.dll at them, for child processes or for this process.

#include <memory>
#include <string>
#include <vector>

#include "TestPaths.h"
#include "TestProcess.h"

namespace zxtest {

class SimulatedBoard {
public:
    // Starts from the shipped board platform/kyacpi/boards/<name>.ini.
    static SimulatedBoard FromShipped(const std::string& name);
    // Starts from the given board file text.
    static SimulatedBoard FromText(const std::string& text);

    SimulatedBoard(SimulatedBoard&&) = default;
    ~SimulatedBoard();

    const std::string& BoardPath() const { return m_boardPath; }
    const std::string& LogPath() const { return m_logPath; }
    std::string BoardText() const;  // the file as it is now
    bool Rewrite(const std::string& text) const;
    std::vector<std::string> LogLines() const;

    // KYACPI_BOARD and KYACPI_LOG for a child process.
    Environment Env() const;
    // Points this process's KyAcpi.dll at the board until the object goes.
    void UseInThisProcess();

private:
    SimulatedBoard();

    std::unique_ptr<TempFolder> m_folder;
    std::string m_boardPath;
    std::string m_logPath;
    bool m_usedHere = false;
};

}  // namespace zxtest
