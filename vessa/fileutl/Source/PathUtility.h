#pragma once
// Path and file-name routines of the in-house library: the program folder,
// the shell's folders, the profile folder, and the small string routines the
// profile lists use. Paths are ANSI, with "\" as the separator.

#include <string>

#include <windows.h>

namespace vessa {

// The running program's full path (or that of `module`), however long.
std::string GetModuleFileNameString(HMODULE module = nullptr);

// The running program's folder with its trailing "\"; empty when the
// program's path has no "\".
std::string GetProgramFolder();

// Up to and including the last "\"; without one, up to and including the
// first ":"; else empty.
std::string ExtractFilePathString(const std::string& path);

// Before the last "\"; without one, up to and including the first ":"; else
// empty. The folder walk steps out of a subfolder with it.
std::string ParentFolderText(const std::string& folder);

// The shell folder `csidl` (created when missing) with a trailing "\"; empty
// when the shell cannot give it.
std::string GetShellFolderPath(int csidl);

constexpr const char kProfileFolderName[] = "Merovan OC Profiles\\";

// The folder of the ".oc" profile files under the common application-data
// folder, with its trailing "\", created when missing. Empty when the shell
// folder cannot be found: callers then have no profile folder (a relative
// folder would put profiles in the current directory).
std::string GetProfileFolder();
// The same below a given common application-data folder (with its "\").
std::string ProfileFolderIn(const std::string& commonAppDataFolder);

// Equal ignoring the case of "A"-"Z" only.
bool SameTextString(const std::string& a, const std::string& b);

// From the last "." of the file-name part (the dot included); empty when the
// name has no dot.
std::string ExtractFileExtString(const std::string& path);
// After the last "\" or ":"; a bare name is returned whole; empty when the
// path ends with a separator.
std::string ExtractFileNameString(const std::string& path);
// Before the last "."; the whole text when it has no dot.
std::string RemoveFileExtString(const std::string& name);

}  // namespace vessa
