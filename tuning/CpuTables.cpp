#include "tuning/CpuTables.h"

#include "tuning/CpuModel.h"

bool ReadTableWords(DWORD id, int bufferSize, std::vector<std::uint32_t>& words)
{
    words.clear();
    std::vector<std::uint32_t> buffer(static_cast<size_t>(bufferSize) / 4 + 1, 0);
    int size = bufferSize;
    if (!(AcpiReadItemData(id, 0, buffer.data(), &size) & 1))
        return false;
    if (size < 0)
        size = 0;
    if (size > bufferSize)
        size = bufferSize;
    words.assign(buffer.begin(), buffer.begin() + size / 4);
    return true;
}

int RatioItemBaseWord()
{
    int base = 0;
    GroupInfoTraverser traverser;
    if (!traverser.Open(3))
        return 0;
    for (; !traverser.IsEnd(); traverser.Next()) {
        if (traverser.GetCurrentId() != kRatioItemId)
            continue;
        BiosItemA* item = traverser.CreateItem();
        if (const BiosNumberItemA* number = dynamic_cast<const BiosNumberItemA*>(item))
            base = number->GetBaseWord();
        delete item;
    }
    return base;
}
