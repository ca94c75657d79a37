#include "platform/kyacpi/BoardOperations.h"

#include <algorithm>
#include <cstring>

#include "platform/kyacpi/Package.h"

namespace kyacpi {

namespace {

// Header words of the information list: a format version and the number of
// words that follow.
constexpr DWORD kInfoListVersion = 1;

BoardItem* FindItem(BoardSession& session, DWORD id)
{
    return session.Ready() ? session.Current().Find(id) : nullptr;
}

bool AcceptsValue(const BoardItem& item, int index)
{
    if (HoldsRawValue(item.id))
        return true;
    if (item.id == kCoreSelectorId && index == kAllCores)
        return true;
    return index >= 0 && index < item.ValueCount();
}

// The core the selector names, or -1 for the commit slot (255, or no
// selector on the board).
int SelectedCore(BoardSession& session)
{
    const BoardItem* selector = FindItem(session, kCoreSelectorId);
    if (!selector || selector->value == kAllCores)
        return -1;
    return selector->value;
}

// Where a per-core item's value lives for the selected core.
int& ValueSlot(BoardSession& session, BoardItem& item)
{
    int core = item.IsPerCore() ? SelectedCore(session) : -1;
    if (core >= 0 && core < static_cast<int>(item.cores.size()))
        return item.cores[core];
    return item.value;
}

DWORD BaseWord(const BoardItem& item)
{
    return (static_cast<DWORD>(item.exponent & 0xFF) << 24) | (static_cast<DWORD>(item.base) & 0xFFFFFF);
}

PackageWriter Descriptor(const BoardItem& item)
{
    PackageWriter package;
    package.AddInteger(item.id);
    package.AddText(item.name);
    package.AddInteger(item.attributes);
    package.AddInteger(item.info);
    const bool noValues = item.Fails(kFailValues);
    switch (item.Kind()) {
    case ItemKind::Number:
        package.AddInteger(BaseWord(item));
        package.AddInteger(static_cast<DWORD>(item.step) & 0xFFFFFF);
        package.AddInteger(noValues ? 0xFFFFFFFFu : static_cast<DWORD>(item.count));
        if (!item.strings.empty() && !noValues) {
            package.AddInteger(static_cast<DWORD>(item.strings.size()));
            for (const std::string& text : item.strings)
                package.AddText(text);
        }
        break;
    case ItemKind::String:
        package.AddInteger(noValues ? 0 : static_cast<DWORD>(item.strings.size()));
        for (const std::string& text : item.strings)
            if (!noValues)
                package.AddText(text);
        break;
    case ItemKind::Boolean:
        break;
    }
    return package;
}

}  // namespace

int SetItemValue(BoardSession& session, DWORD id, int index, int mode)
{
    BoardItem* item = FindItem(session, id);
    if (!item || item->Fails(kFailWrite) || (mode != 1 && mode != 2) || !AcceptsValue(*item, index))
        return 0;
    BoardItem changed = *item;
    int& slot = ValueSlot(session, changed);
    if (slot == index)
        return 1;
    slot = index;
    if (!session.Save(changed))
        return 0;
    *item = changed;
    return 1;
}

int GetItemValue(BoardSession& session, DWORD id, int* index)
{
    BoardItem* item = FindItem(session, id);
    if (!item || !index || item->Fails(kFailRead))
        return 0;
    *index = ValueSlot(session, *item);
    return 1;
}

int ReadInfoList(BoardSession& session, void* buffer, int* size, int* count)
{
    *count = 0;
    if (!session.Ready())
        return 0;
    const std::vector<DWORD>& info = session.Current().info;
    PackageWriter package;
    package.AddInteger(kInfoListVersion);
    package.AddInteger(static_cast<DWORD>(info.size()));
    for (DWORD word : info)
        package.AddInteger(word);
    if (!package.CopyTo(buffer, size))
        return 0;
    *count = package.Count();
    return static_cast<int>(session.Current().infoResult);
}

int ReadGroupList(BoardSession& session, int group, void* buffer, int* size, int* count)
{
    *count = 0;
    if (!session.Ready() || group < 0 || group > 255 || session.Current().failingGroups.count(group))
        return 0;
    PackageWriter package;
    for (const BoardItem& item : session.Current().items)
        if (GroupOf(item.id) == group)
            package.AddInteger(item.id);
    if (!package.CopyTo(buffer, size))
        return 0;
    *count = package.Count();
    return 1;
}

int ReadItemDescriptor(BoardSession& session, const void* elementData, void* buffer, int* size, DWORD* id)
{
    *id = 0;
    if (!elementData)
        return 0;
    std::memcpy(id, elementData, sizeof *id);
    const BoardItem* item = FindItem(session, *id);
    if (!item || item->Fails(kFailDescriptor))
        return 0;
    return Descriptor(*item).CopyTo(buffer, size) ? 1 : 0;
}

int GetItemValueAt(BoardSession& session, DWORD id, int position, int* value)
{
    const BoardItem* item = FindItem(session, id);
    if (!item || !value || item->Fails(kFailAt))
        return 0;
    auto word = item->at.find(position);
    if (word == item->at.end())
        return 0;
    *value = static_cast<int>(word->second);
    return 1;
}

int ReadItemData(BoardSession& session, DWORD id, int number, void* buffer, int* size)
{
    const BoardItem* item = FindItem(session, id);
    if (!item || !buffer || !size || *size < 0 || item->Fails(kFailData))
        return 0;
    auto words = item->data.find(number);
    if (words == item->data.end())
        return 0;
    // A short buffer takes the leading whole words.
    size_t fitting = std::min(words->second.size(), static_cast<size_t>(*size) / sizeof(DWORD));
    std::memcpy(buffer, words->second.data(), fitting * sizeof(DWORD));
    *size = static_cast<int>(fitting * sizeof(DWORD));
    return 1;
}

}  // namespace kyacpi
