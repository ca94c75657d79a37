#include "platform/kyacpi/Package.h"

#include <cstring>

namespace kyacpi {

namespace {

DWORD Padded(DWORD bytes)
{
    return (bytes + 3u) & ~3u;
}

PackageHeader* HeaderOf(void* package)
{
    auto* header = static_cast<PackageHeader*>(package);
    if (!header || header->magic != kPackageMagic)
        return nullptr;
    return header;
}

}  // namespace

PackageWriter::PackageWriter() : m_bytes(sizeof(PackageHeader))
{
    PackageHeader header{kPackageMagic, 0, sizeof(PackageHeader)};
    std::memcpy(m_bytes.data(), &header, sizeof header);
}

void PackageWriter::AddInteger(DWORD value)
{
    Add(kIntegerElement, &value, sizeof value);
}

void PackageWriter::AddText(const std::string& text)
{
    Add(kTextElement, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void PackageWriter::Add(DWORD type, const void* data, DWORD dataBytes)
{
    size_t offset = m_bytes.size();
    if (m_lastElement != 0) {
        auto* last = reinterpret_cast<ElementHeader*>(m_bytes.data() + m_lastElement);
        last->nextOffset = static_cast<DWORD>(offset - m_lastElement);
    }
    m_bytes.resize(offset + sizeof(ElementHeader) + Padded(dataBytes), 0);
    ElementHeader element{type, dataBytes, 0};
    std::memcpy(m_bytes.data() + offset, &element, sizeof element);
    std::memcpy(m_bytes.data() + offset + sizeof element, data, dataBytes);
    m_lastElement = offset;

    auto* header = reinterpret_cast<PackageHeader*>(m_bytes.data());
    header->count++;
    header->usedBytes = static_cast<DWORD>(m_bytes.size());
}

int PackageWriter::Count() const
{
    return static_cast<int>(reinterpret_cast<const PackageHeader*>(m_bytes.data())->count);
}

bool PackageWriter::CopyTo(void* buffer, int* size) const
{
    if (!buffer || !size || *size < 0 || static_cast<size_t>(*size) < m_bytes.size())
        return false;
    std::memcpy(buffer, m_bytes.data(), m_bytes.size());
    *size = static_cast<int>(m_bytes.size());
    return true;
}

void* FirstElement(void* package)
{
    PackageHeader* header = HeaderOf(package);
    if (!header || header->count == 0)
        return nullptr;
    return header + 1;
}

int ElementCount(void* package)
{
    PackageHeader* header = HeaderOf(package);
    return header ? static_cast<int>(header->count) : 0;
}

void* ElementData(void* element)
{
    if (!element)
        return nullptr;
    return static_cast<ElementHeader*>(element) + 1;
}

void* NextElement(void* element)
{
    if (!element)
        return nullptr;
    auto* header = static_cast<ElementHeader*>(element);
    if (header->nextOffset == 0)
        return nullptr;
    return static_cast<BYTE*>(element) + header->nextOffset;
}

}  // namespace kyacpi
