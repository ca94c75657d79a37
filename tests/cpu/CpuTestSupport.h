#pragma once
// The CPU model and the ratio controller keep process-wide answers, so each
// simulated machine is tested in a child process of its own: the parent
// copies a machine file and a board file into a fresh folder and runs the
// test suite named for that machine inside the child.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace cputest {

// In the parent: runs `suite` on the machine and board (file names under
// platform/kyio/machines and tests/cpu/boards) and checks that it passed. `boardEdits` are applied to the
// board copy first: {section, key, value}.
struct BoardEdit {
    std::string section;
    std::string key;
    std::string value;
};
void RunSuiteOnMachine(const std::string& suite, const std::string& machine, const std::string& board,
                       const std::vector<BoardEdit>& boardEdits = {});
// The same with the program folder's KyIO.dll out of the child's reach and
// the build of the stand-in without `missingExport` in its place: the
// simulated machine still answers CPUID, but the registers cannot be bound.
void RunSuiteWithKyIOWithout(const std::string& missingExport, const std::string& suite, const std::string& machine,
                             const std::string& board);

// Base of the suites that run inside a machine's child: each test skips
// in any other process.
class MachineSuite : public testing::Test {
protected:
    void SetUp() override;
};

// The child's files.
std::string MachineFile();
std::string BoardFile();
std::string KyIOLog();
std::string BoardLog();

// A register of one processor as the machine file holds it now.
std::uint64_t MachineRegister(int processor, unsigned msr);
// A key of the board file as it holds it now.
std::string BoardValue(const std::string& section, const std::string& key);
void SetBoardValue(const std::string& section, const std::string& key, const std::string& value);
std::vector<std::string> LogLines(const std::string& path);
// Lines of the log that contain `needle`.
std::vector<std::string> LogLinesWith(const std::string& path, const std::string& needle);

}  // namespace cputest
