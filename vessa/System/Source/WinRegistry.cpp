#include "vessa/System/Source/WinRegistry.h"

#include <new>

#include "vessa/System/VessaAssert.h"

namespace vessa {

namespace {

// The assertion names the source unit, not the build machine's path.
constexpr char kSourceUnit[] = "vessa/System/Source/WinRegistry.cpp";

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

}  // namespace

void RegNameBuffer::Allocate(bool known, DWORD longestName)
{
    if (!known)
        return;  // m_name stays null, m_length 0
    m_length = longestName + 1;
    m_name = new (std::nothrow) char[m_length];
    if (!m_name)
        m_length = 0;
}

RegSubKeyBase::RegSubKeyBase(HKEY key) : m_key(key)
{
    DWORD longest = 0;
    bool known = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, nullptr) == ERROR_SUCCESS;
    Allocate(known, longest);
}

namespace detail {
RegValueBase::RegValueBase(HKEY key) : m_key(key)
{
    DWORD longest = 0;
    bool known = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr,
                                  nullptr, nullptr) == ERROR_SUCCESS;
    Allocate(known, longest);
}
}  // namespace detail

void RegKeyState::Adopt(HKEY key)
{
    m_key = key;
    m_ownsKey = true;
    m_subKeys = new RegSubKeyBase(key);
    m_values = new detail::RegValueBase(key);
}

void RegKeyState::CloseKey()
{
    if (m_ownsKey && m_key)
        RegCloseKey(m_key);
    m_key = nullptr;
    m_ownsKey = false;
    delete m_subKeys;
    m_subKeys = nullptr;
    delete m_values;
    m_values = nullptr;
}

bool RegKeyState::ReadString(const char* valueName, std::string& out) const
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(m_key, valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || !IsStringType(type))
        return false;

    char* buffer = new (std::nothrow) char[size + 1];
    if (!buffer)
        return false;
    buffer[size] = '\0';
    // A stored text need not end in a terminator; the extra byte gives it one.
    bool ok =
        RegQueryValueExA(m_key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
    if (ok)
        out.assign(buffer);  // up to the first zero: one text of a multi-string
    delete[] buffer;
    return ok;
}

bool RegReader::Open(HKEY root, const char* subKeyPath)
{
    VESSA_ASSERT_AT(!IsOpen(), kSourceUnit, __LINE__);
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKeyPath, 0, AccessRights(), &key) != ERROR_SUCCESS)
        return false;
    Adopt(key);
    return true;
}

bool RegAccessor::Open(HKEY root, const char* subKeyPath, bool create)
{
    VESSA_ASSERT_AT(!IsOpen(), kSourceUnit, __LINE__);
    HKEY key = nullptr;
    LONG result = create ? RegCreateKeyExA(root, subKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
                         : RegOpenKeyExA(root, subKeyPath, 0, KEY_ALL_ACCESS, &key);
    if (result != ERROR_SUCCESS)
        return false;
    Adopt(key);
    return true;
}

bool RegAccessor::WriteDword(const char* valueName, DWORD value)
{
    return RegSetValueExA(Key(), valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

bool RegAccessor::ReadDword(const char* valueName, DWORD* value) const
{
    DWORD type = 0;
    DWORD read = 0;
    DWORD size = sizeof read;
    if (RegQueryValueExA(Key(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_DWORD || size != sizeof read)
        return false;
    *value = read;
    return true;
}

}  // namespace vessa
