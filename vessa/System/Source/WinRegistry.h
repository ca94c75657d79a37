#pragma once
// Registry key classes of the in-house library: RegReader opens a key for
// reading, RegAccessor opens or creates one with full access and also
// writes values. Both report every Win32 failure as false.

#include <windows.h>

#include <string>

namespace vessa {

// The name buffer of one enumeration kind, sized for the longest name the
// key holds (plus the terminator). Its length is 0 when the key could not
// be asked.
class RegNameBuffer {
public:
    RegNameBuffer() = default;
    ~RegNameBuffer() { delete[] m_name; }
    RegNameBuffer(const RegNameBuffer&) = delete;
    RegNameBuffer& operator=(const RegNameBuffer&) = delete;

    DWORD Length() const { return m_length; }

protected:
    void Allocate(bool known, DWORD longestName);

private:
    char* m_name = nullptr;
    DWORD m_length = 0;
};

// Holder for the names of a key's sub-keys.
class RegSubKeyBase : public RegNameBuffer {
public:
    explicit RegSubKeyBase(HKEY key);
    HKEY Key() const { return m_key; }

private:
    HKEY m_key;
};

namespace detail {
// Holder for the names of a key's values.
class RegValueBase : public RegNameBuffer {
public:
    explicit RegValueBase(HKEY key);
    HKEY Key() const { return m_key; }

private:
    HKEY m_key;
};
}  // namespace detail

// What both key classes share: the handle, who closes it, the name holders
// (present exactly while the key is open) and the value reads.
class RegKeyState {
public:
    bool IsOpen() const { return m_subKeys != nullptr; }
    HKEY Key() const { return m_key; }
    bool ReadString(const char* valueName, std::string& out) const;

protected:
    RegKeyState() = default;
    ~RegKeyState() { CloseKey(); }
    RegKeyState(const RegKeyState&) = delete;
    RegKeyState& operator=(const RegKeyState&) = delete;

    void Adopt(HKEY key);
    void CloseKey();

private:
    HKEY m_key = nullptr;
    bool m_ownsKey = false;
    RegSubKeyBase* m_subKeys = nullptr;
    detail::RegValueBase* m_values = nullptr;
};

class RegReader : public RegKeyState {
public:
    RegReader() = default;

    // The key must be closed. False leaves the object closed.
    bool Open(HKEY root, const char* subKeyPath);
    void Close() { CloseKey(); }

protected:
    // The rights the key is opened with.
    virtual REGSAM AccessRights() const { return KEY_READ; }
};

class RegAccessor : public RegKeyState {
public:
    RegAccessor() = default;

    // The key must be closed. With `create`, a missing key is created.
    // False leaves the object closed.
    bool Open(HKEY root, const char* subKeyPath, bool create);
    void Close() { CloseKey(); }

    bool WriteDword(const char* valueName, DWORD value);
    // `*value` changes only when the value is a REG_DWORD and was read.
    bool ReadDword(const char* valueName, DWORD* value) const;
};

}  // namespace vessa
