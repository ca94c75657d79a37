#pragma once
// A copy of the program folder in a temporary folder, for starts of the
// program with a file missing or replaced.

#include <string>

#include "TestPaths.h"

namespace apptest {

class ProgramFolderCopy {
public:
    // Copies the whole program folder but `leaveOut` (a file name directly in it).
    explicit ProgramFolderCopy(const std::string& leaveOut = "");
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return zxtest::JoinPath(m_path, name); }

private:
    zxtest::TempFolder m_folder;
    std::string m_path;
};

}  // namespace apptest
