// The group walkers and the read/write wrappers over the item library.

#include <algorithm>
#include <cstring>

#include "turboInfo_Intel/BiosInterface.h"
#include "vessa/System/VessaAssert.h"

namespace {

// The fixed information list starts with two header entries.
constexpr int kInfoListHeaderEntries = 2;
// A group list larger than its buffer's bytes cannot be real.
constexpr int kMaxGroupElements = kAcpiPackageBufferSize;

}  // namespace

// ---- GroupInfo ----

bool GroupInfo::Open(int group)
{
    VESSA_ASSERT(!IsOpen());
    if (!m_buffer)
        m_buffer = new unsigned char[kAcpiPackageBufferSize];
    std::memset(m_buffer, 0, kAcpiPackageBufferSize);
    m_current = nullptr;
    m_position = 0;
    m_count = 0;

    int size = kAcpiPackageBufferSize;
    if (AcpiReadGroupList(group, m_buffer, &size) == 0)
        return false;
    const int count = AcpiElementCount(m_buffer);
    m_count = std::max(0, std::min(count, kMaxGroupElements));
    if (m_count > 0)
        m_current = AcpiFirstElement(m_buffer);
    return true;
}

void GroupInfo::Close()
{
    delete[] m_buffer;
    m_buffer = nullptr;
    m_current = nullptr;
    m_position = 0;
    m_count = 0;
}

void GroupInfo::Next()
{
    if (m_position < m_count) {
        ++m_position;
        if (m_position < m_count)
            m_current = AcpiNextElement(m_current);
    }
}

void* GroupInfo::GetCurrentData() const
{
    if (IsEnd() || !m_current)
        return nullptr;
    return AcpiElementData(m_current);
}

// ---- GroupInfoTraverser ----

GroupInfoTraverser::GroupInfoTraverser() : m_descriptor(kAcpiPackageBufferSize) {}

bool GroupInfoTraverser::Open(int group)
{
    VESSA_ASSERT(!IsOpen());
    if (!m_group.Open(group)) {
        Close();
        return false;
    }
    Fetch();
    return true;
}

void GroupInfoTraverser::Close()
{
    m_group.Close();
    m_descriptorSize = 0;
    m_currentId = 0;
}

void GroupInfoTraverser::Next()
{
    m_group.Next();
    Fetch();
}

void GroupInfoTraverser::Fetch()
{
    // Whatever the read leaves behind, nothing of the previous item survives
    // it: a failed read must not pass for the item before.
    m_descriptorSize = 0;
    m_currentId = 0;
    std::fill(m_descriptor.begin(), m_descriptor.end(), 0);

    void* elementData = m_group.GetCurrentData();
    if (!elementData)
        return;
    int size = kAcpiPackageBufferSize;
    if (AcpiReadItemDescriptor(elementData, m_descriptor.data(), &size) == 0)
        return;
    if (size <= 0 || size > kAcpiPackageBufferSize)
        size = kAcpiPackageBufferSize;

    int id = 0;
    biositem::PackageView elements(m_descriptor.data(), size);
    if (elements.ReadInteger(kBiosElementId, &id))
        m_currentId = static_cast<DWORD>(id);
    m_descriptorSize = size;
}

BiosItemA* GroupInfoTraverser::CreateItem() const
{
    if (!HasDescriptor())
        return nullptr;
    BiosItemA* item = nullptr;
    switch (BiosItemKind(m_currentId)) {
    case kBiosKindString:
        item = new BiosStringItemA(m_descriptor.data(), m_descriptorSize);
        break;
    case kBiosKindBoolean:
        item = new BiosBooleanItemA(m_descriptor.data(), m_descriptorSize);
        break;
    default:
        item = new BiosNumberItemA(m_descriptor.data(), m_descriptorSize);
        break;
    }
    // Without its header a descriptor names no item to read or write; one
    // whose values do not parse has no value a bar could show or a write
    // could choose.
    if (!item->HasHeader() || !item->ParseInfo()) {
        delete item;
        return nullptr;
    }
    return item;
}

int WritableValueCount(const BiosItemA& item)
{
    constexpr int kBooleanValues = 2;
    return item.GetKind() == kBiosKindBoolean ? kBooleanValues : item.GetValueCount();
}

// ---- Wrappers ----

bool ReadItemValue(DWORD id, int* index)
{
    int value = index ? *index : 0;
    if ((AcpiGetItemValue(id, &value) & 1) == 0)
        return false;
    if (index)
        *index = value;
    return true;
}

bool ReadItemValueAt(DWORD id, int position, int* value)
{
    int read = value ? *value : 0;
    if ((AcpiGetItemValueAt(id, position, &read) & 1) == 0)
        return false;
    if (value)
        *value = read;
    return true;
}

bool SetItemValueMode1(DWORD id, int index)
{
    return (AcpiSetItemValue(id, index, kAcpiSwitchWriteMode) & 1) != 0;
}

int SetItemValue(DWORD id, int index, int mode)
{
    return AcpiSetItemValue(id, index, mode);
}

namespace {

// The first item of `group` for which `matches`(id) holds.
template <typename Match>
bool FindInGroup(int group, Match matches, DWORD* found)
{
    GroupInfoTraverser walker;
    if (!walker.Open(group))
        return false;
    for (; !walker.IsEnd(); walker.Next()) {
        if (!walker.HasDescriptor())
            continue;
        const DWORD id = walker.GetCurrentId();
        if (matches(id)) {
            if (found)
                *found = id;
            return true;
        }
    }
    return false;
}

}  // namespace

bool FindItemId(int group, int index, DWORD* id)
{
    return FindInGroup(
        group, [&](DWORD current) { return BiosItemGroup(current) == group && BiosItemIndex(current) == index; }, id);
}

bool IsItemPresent(DWORD id)
{
    return FindInGroup(
        BiosItemGroup(id), [&](DWORD current) { return current == id; }, nullptr);
}

int ReadBiosInfoValues(int* values, int start, int count)
{
    if (!values || start < 0 || count <= 0 || start > kAcpiPackageBufferSize)
        return 0;
    std::vector<unsigned char> buffer(kAcpiPackageBufferSize, 0);
    int size = kAcpiPackageBufferSize;
    // The library's result word says nothing reliable about this list: the
    // list itself tells. One without its header is no list at all.
    AcpiReadInfoList(buffer.data(), &size);
    const biositem::PackageView entries(buffer.data(), kAcpiPackageBufferSize);
    if (entries.Count() < kInfoListHeaderEntries)
        return 0;
    const int first = kInfoListHeaderEntries + start;
    std::vector<int> read;
    for (int i = 0; i < count; ++i) {
        int value = 0;
        if (!entries.ReadInteger(first + i, &value))
            break;
        read.push_back(value);
    }
    std::copy(read.begin(), read.end(), values);
    return static_cast<int>(read.size());
}
