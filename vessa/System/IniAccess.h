#pragma once
// Read access to one ini file through the system's private-profile
// functions. The read buffer grows as long values need; closing flushes the
// system's cached copy of the file, so an edit made meanwhile is seen by the
// next open.

#include <windows.h>

#include <string>

namespace vessa {

class IniAccessor {
public:
    IniAccessor() = default;
    ~IniAccessor() { Close(); }
    IniAccessor(const IniAccessor&) = delete;
    IniAccessor& operator=(const IniAccessor&) = delete;

    // Requires a closed accessor. Does not test that the file exists.
    bool Open(const std::string& path);
    bool IsOpen() const { return m_buffer != nullptr; }
    // The value of `key` in `section`, or `defaultValue` when there is none
    // or the accessor is closed. A null section or key reads the list of
    // section or key names, each ended by a zero.
    std::string ReadString(const char* section, const char* key, const char* defaultValue);
    void Close();

private:
    static constexpr DWORD kInitialSize = 128;
    // Longer than any value the system hands out; the buffer never grows past it.
    static constexpr DWORD kLargestSize = 1u << 20;

    std::string m_path;
    char* m_buffer = nullptr;
    DWORD m_size = 0;
};

}  // namespace vessa
