#pragma once
// Where the tests find the program folder, themselves, the sources and the
// shared test corpus, as Windows paths (Wine maps the Unix root to Z:).

#include <string>

namespace zxtest {

std::string UnixToWindowsPath(const std::string& unixPath);

std::string DistDir();            // build\dist, the program folder
std::string TestDir();            // build\tests, the test programs and test DLLs
std::string SourceDir();          // the project's source tree
std::string SharedTestDataDir();  // ..\shared\testdata beside the project (may be absent)

std::string JoinPath(const std::string& folder, const std::string& name);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// A fresh, empty folder under the system temp folder, deleted with all its
// contents when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return JoinPath(m_path, name); }

private:
    std::string m_path;
};

}  // namespace zxtest
