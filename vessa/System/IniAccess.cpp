#include "vessa/System/IniAccess.h"

#include <new>

#include "vessa/System/VessaAssert.h"

namespace vessa {

bool IniAccessor::Open(const std::string& path)
{
    VESSA_ASSERT_AT(!IsOpen(), "IniAccess", 362);
    m_buffer = new (std::nothrow) char[kInitialSize];
    if (m_buffer == nullptr) {
        Close();
        return false;
    }
    m_size = kInitialSize;
    m_path = path;
    return true;
}

std::string IniAccessor::ReadString(const char* section, const char* key, const char* defaultValue)
{
    const std::string fallback = defaultValue != nullptr ? defaultValue : "";
    if (!IsOpen())
        return fallback;
    for (;;) {
        DWORD length = GetPrivateProfileStringA(section, key, defaultValue, m_buffer, m_size, m_path.c_str());
        // A truncated value fills the buffer to size − 1, a truncated name
        // list (two closing zeros) to size − 2.
        DWORD needed = length + ((section != nullptr && key != nullptr) ? 1 : 2);
        if (needed < m_size)
            return section != nullptr && key != nullptr ? std::string(m_buffer) : std::string(m_buffer, length);
        if (m_size >= kLargestSize)
            return std::string(m_buffer, length);
        // The larger buffer is taken before the old one goes, so a failed
        // allocation leaves the accessor usable.
        char* larger = new (std::nothrow) char[m_size * 2];
        if (larger == nullptr)
            return fallback;
        delete[] m_buffer;
        m_buffer = larger;
        m_size *= 2;
    }
}

void IniAccessor::Close()
{
    if (!m_path.empty())
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_path.c_str());
    m_path.clear();
    delete[] m_buffer;
    m_buffer = nullptr;
    m_size = 0;
}

}  // namespace vessa
