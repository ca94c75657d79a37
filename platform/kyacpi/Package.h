#pragma once
// Packages as the library hands them out: a header and a chain of elements,
// each linked to the next by a byte offset, so a caller may copy the used
// bytes anywhere and walk the copy later.
//
//   package: magic, element count, used bytes, then the elements
//   element: type (1 integer, 2 text), data bytes, offset to the next
//            element (0 = last), then the data padded to 4 bytes

#include <windows.h>

#include <string>
#include <vector>

namespace kyacpi {

constexpr DWORD kPackageMagic = 0x4B50594B;  // "KYPK"
constexpr DWORD kIntegerElement = 1;
constexpr DWORD kTextElement = 2;

struct PackageHeader {
    DWORD magic;
    DWORD count;
    DWORD usedBytes;
};

struct ElementHeader {
    DWORD type;
    DWORD dataBytes;
    DWORD nextOffset;
};

class PackageWriter {
public:
    PackageWriter();
    void AddInteger(DWORD value);
    void AddText(const std::string& text);
    const std::vector<BYTE>& Bytes() const { return m_bytes; }
    int Count() const;

    // Copies the package into the caller's buffer when it fits in *size,
    // and sets *size to the bytes used. Writes nothing when it does not fit.
    bool CopyTo(void* buffer, int* size) const;

private:
    void Add(DWORD type, const void* data, DWORD dataBytes);

    std::vector<BYTE> m_bytes;
    size_t m_lastElement = 0;  // offset of the last element, 0 = none yet
};

// The walk; each tolerates a null, empty or foreign buffer and a step past
// the last element by giving null (or 0).
void* FirstElement(void* package);
int ElementCount(void* package);
void* ElementData(void* element);
void* NextElement(void* element);

}  // namespace kyacpi
