#include "KyAcpiTestSupport.h"

#include <cstring>

namespace kyacpitest {

std::vector<Element> Walk(void* package)
{
    std::vector<Element> elements;
    int count = AcpiElementCount(package);
    KYACPI_ELEMENT element = AcpiFirstElement(package);
    for (int i = 0; i < count && element; i++) {
        auto* data = static_cast<const char*>(AcpiElementData(element));
        Element read;
        std::memcpy(&read.integer, data, sizeof read.integer);
        read.text = data;
        elements.push_back(read);
        element = AcpiNextElement(element);
    }
    return elements;
}

std::vector<DWORD> GroupIds(int group)
{
    std::vector<BYTE> buffer(kAcpiPackageBufferSize);
    int size = kAcpiPackageBufferSize;
    std::vector<DWORD> ids;
    if (!AcpiReadGroupList(group, buffer.data(), &size))
        return ids;
    for (const Element& element : Walk(buffer.data()))
        ids.push_back(element.integer);
    return ids;
}

Descriptor ReadDescriptor(DWORD id)
{
    Descriptor descriptor;
    descriptor.buffer.assign(kAcpiPackageBufferSize, 0);
    int size = kAcpiPackageBufferSize;
    descriptor.result = AcpiReadItemDescriptor(&id, descriptor.buffer.data(), &size);
    if (descriptor.result) {
        descriptor.bytes = size;
        descriptor.elements = Walk(descriptor.buffer.data());
    }
    return descriptor;
}

int Read(DWORD id, int& index)
{
    return AcpiGetItemValue(id, &index);
}

int ReadOr(DWORD id, int fallback)
{
    int index = fallback;
    AcpiGetItemValue(id, &index);
    return index;
}

}  // namespace kyacpitest
