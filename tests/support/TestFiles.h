#pragma once
// Whole-file reads and writes for fixtures and for checking what a program wrote.

#include <string>
#include <vector>

namespace zxtest {

bool ReadWholeFile(const std::string& path, std::string& contents);
std::string ReadWholeFile(const std::string& path);  // "" when unreadable
bool WriteWholeFile(const std::string& path, const std::string& contents);
std::vector<std::string> ReadLines(const std::string& path);  // without line ends

// Lines of a log file that contain `needle`.
std::vector<std::string> LinesContaining(const std::string& path, const std::string& needle);

}  // namespace zxtest
