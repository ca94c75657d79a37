#pragma once
// A program folder for the page tests: the program's skins and language
// files beside a copy of the test program, so that the main form reads its
// pictures and the pages their skins as in the program folder.

#include <string>

#include "BoardFixture.h"
#include "TestPaths.h"
#include "TestProcess.h"

namespace pagetest {

class PageFolder {
public:
    // The skins and the language files of the program folder. `language`
    // other than empty makes the system's language that one.
    explicit PageFolder(const std::string& language = "");

    // Runs ZX_TEST_CHILD `child` from the folder on `board`; `argument`
    // reaches it as ZXT_ARGUMENT.
    zxtest::ProcessResult Run(const char* child, zxtest::BoardFixture& board, const std::string& argument = "",
                              const zxtest::Environment& extra = {});

private:
    zxtest::TempFolder m_folder;
    int m_runs = 0;
};

// Copies the folder `from` with everything below it to `to`.
bool CopyFolder(const std::string& from, const std::string& to);

// The value of ZXT_ARGUMENT in a child.
std::string ChildArgument();

}  // namespace pagetest
