#pragma once
// Fixture of the simulated-CPU tests: one machine file and one KyIO log per
// test process (the library reads their names once), refilled per test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kyiotest {

std::string EnvironmentValue(const char* name);
// A child's printed output with its text-mode line ends made plain.
std::string WithoutCarriageReturns(std::string text);
// In a child, before the library loads: with ZX_KYIO_FOLDER the library is
// taken from that folder; with ZX_KYIO_HIDDEN the program folder leaves the
// search path.
void ApplyChildLibraryChoice();
// A shipped machine file under platform/kyio/machines.
std::string ShippedMachine(const std::string& name);

class SimulatedMachineTest : public testing::Test {
protected:
    void SetUp() override;
    // Copies a shipped machine over this process's machine file.
    void UseMachine(const std::string& name);
    static std::string MachinePath();
    static std::string LogPath();
    // Log lines written since the test started.
    std::vector<std::string> NewLogLines() const;
    void SetMachineKey(const std::string& section, const std::string& key, const std::string& value);

private:
    size_t m_logLinesBefore = 0;
};

}  // namespace kyiotest
