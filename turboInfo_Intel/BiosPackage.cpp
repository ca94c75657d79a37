#include "turboInfo_Intel/BiosPackage.h"

#include <cstring>

#include "platform/kyacpi/KyAcpi.h"

namespace biositem {

PackageView::PackageView(const void* buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    m_begin = static_cast<const unsigned char*>(buffer);
    m_end = m_begin + size;

    void* package = const_cast<unsigned char*>(m_begin);
    int count = AcpiElementCount(package);
    // Every element takes at least one byte: a larger count is not to be believed.
    if (count <= 0)
        return;
    if (count > size)
        count = size;

    KYACPI_ELEMENT element = AcpiFirstElement(package);
    for (int i = 0; i < count && Contains(element); ++i) {
        const unsigned char* data = static_cast<const unsigned char*>(AcpiElementData(element));
        if (!Contains(data))
            break;
        m_elements.push_back(data);
        if (i + 1 < count)
            element = AcpiNextElement(element);
    }
}

bool PackageView::Contains(const void* pointer) const
{
    const unsigned char* byte = static_cast<const unsigned char*>(pointer);
    return byte && byte >= m_begin && byte < m_end;
}

bool PackageView::ReadInteger(int index, int* value) const
{
    if (index < 0 || index >= Count())
        return false;
    const unsigned char* data = m_elements[index];
    if (m_end - data < static_cast<std::ptrdiff_t>(sizeof(int)))
        return false;
    std::memcpy(value, data, sizeof(int));
    return true;
}

int PackageView::IntegerOr(int index, int fallback) const
{
    int value = fallback;
    ReadInteger(index, &value);
    return value;
}

const char* PackageView::Text(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    const unsigned char* data = m_elements[index];
    if (!std::memchr(data, 0, static_cast<std::size_t>(m_end - data)))
        return nullptr;
    return reinterpret_cast<const char*>(data);
}

}  // namespace biositem
