#include "tuning/ZxOcItemProfile.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "tuning/KyOcRatio.h"
#include "tuning/ProfileFileFormat.h"
#include "tuning/TuningItems.h"
#include "turboInfo_Intel/BiosInterface.h"

namespace {

constexpr int kStoredProfileBufferSize = 4096;
constexpr uint32_t kStoredProfileEnd = 0xFFFFFFFF;

const std::vector<std::string>& BiosProfileNames()
{
    static const std::vector<std::string>* names = [] {
        auto* list = new std::vector<std::string>();  // kept for the process
        // The last item of the stored-profile index in group 5 names them.
        std::unique_ptr<BiosItemA> item;
        GroupInfoTraverser traverser;
        if (traverser.Open(kProfileDataGroup)) {
            for (; !traverser.IsEnd(); traverser.Next()) {
                if (traverser.HasDescriptor() && BiosItemIndex(traverser.GetCurrentId()) == kStoredProfileItemIndex) {
                    std::unique_ptr<BiosItemA> created(traverser.CreateItem());
                    if (created)
                        item = std::move(created);
                }
            }
        }
        if (item)
            for (int i = 0; i < item->GetValueCount(); ++i)
                list->push_back(item->IndexToString(i));
        return list;
    }();
    return *names;
}

// Reads exactly `size` bytes; false at the end of the file or on an error.
bool ReadExactly(FILE* file, void* buffer, size_t size)
{
    return std::fread(buffer, 1, size, file) == size;
}

}  // namespace

int ZxOcItemProfile::GetBiosProfileCount()
{
    return static_cast<int>(BiosProfileNames().size());
}

std::string ZxOcItemProfile::GetBiosProfileName(int index)
{
    const auto& names = BiosProfileNames();
    return index >= 0 && index < static_cast<int>(names.size()) ? names[index] : std::string();
}

bool ZxOcItemProfile::ReadFromBios(int number)
{
    if (number < 0 || number > GetBiosProfileCount())
        return false;
    ZxOcItemValueList values;
    ReadCurrentItemValues(values);

    std::vector<uint32_t> words(kStoredProfileBufferSize / sizeof(uint32_t), 0);
    int size = kStoredProfileBufferSize;
    if ((AcpiReadItemData(kStoredProfileItemId, number, words.data(), &size) & 1) == 0)
        return false;

    // Word 0 is a header; whole (id, value) pairs follow up to the end mark or
    // the end of what was returned (never past the buffer).
    const size_t returnedWords = static_cast<size_t>(std::min(std::max(size, 0), kStoredProfileBufferSize)) / 4;
    const size_t base = values.size();
    size_t ratioPairs = 0;
    for (size_t w = 1; w + 1 < returnedWords; w += 2) {
        const tagZxOcItemValue pair{words[w], static_cast<int32_t>(words[w + 1])};
        if (pair.id == kStoredProfileEnd)
            break;
        values.push_back(pair);
        if (BiosItemIndex(pair.id) == kCpuRatioItemIndex) {
            // The k-th ratio pair is core k's, and the cores after the last
            // pair take its value too: a ratio record left at the preset
            // default index would be written as if the profile meant it.
            size_t seen = 0;
            for (size_t i = 0; i < base; ++i)
                if (values[i].id == pair.id && seen++ >= ratioPairs)
                    values[i].value = pair.value;
            ++ratioPairs;
        } else {
            for (size_t i = 0; i < base; ++i)
                if (values[i].id == pair.id)
                    values[i].value = pair.value;
        }
    }
    m_values.swap(values);
    return true;
}

bool ZxOcItemProfile::LoadFile(const char* path)
{
    if (!path)
        return false;
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    std::unique_ptr<FILE, int (*)(FILE*)> closer(file, std::fclose);

    char magic[sizeof kProfileMagic];  // not compared: older writers differ
    uint32_t version = 0;
    uint32_t count = 0;
    if (!ReadExactly(file, magic, sizeof magic) || !ReadExactly(file, &version, sizeof version))
        return false;
    m_version = version;
    if (version > kProfileVersion || !ReadExactly(file, &count, sizeof count))
        return false;

    m_values.clear();
    // The count is trusted only as far as the file really holds records.
    long start = std::ftell(file);
    std::fseek(file, 0, SEEK_END);
    long end = std::ftell(file);
    std::fseek(file, start, SEEK_SET);
    const uint32_t held = end > start ? static_cast<uint32_t>((end - start) / sizeof(tagZxOcItemValue)) : 0;
    const uint32_t wanted = std::min(count, held);
    if (wanted > 0) {
        m_values.resize(wanted);
        m_values.resize(std::fread(m_values.data(), sizeof(tagZxOcItemValue), wanted, file));
    }
    return true;
}

bool IsAboveWarningLevel(int itemIndex, int valueIndex)
{
    static const bool hasLimits = IsItemPresent(kDangerLimitItemId);
    int word = 0;
    if (!hasLimits || !ReadItemValueAt(kDangerLimitItemId, itemIndex, &word))
        return false;
    const unsigned limit = static_cast<unsigned>(word) >> 16;
    return limit != 0 && valueIndex > static_cast<int>(limit);
}

void ReadCurrentItemValues(ZxOcItemValueList& values)
{
    values.clear();
    // The ratios the cores hold, so that a profile without ratio pairs
    // leaves them as they are. An unread core keeps its place with a value
    // no apply writes; not per-core, an unread ratio gives no record.
    KyOcRatio& ratio = KyOcRatio::GetInstance();
    std::vector<int> ratios;
    ratio.ReadRatios(ratios);
    for (int value : ratios)
        values.push_back({ratio.GetItemId(), value});
    AppendVisibleTuningValues(values);
}

void AppendVisibleTuningValues(ZxOcItemValueList& values)
{
    GroupInfoTraverser traverser;
    if (!traverser.Open(kTuningGroup))
        return;
    for (; !traverser.IsEnd(); traverser.Next()) {
        std::unique_ptr<BiosItemA> item(traverser.CreateItem());
        if (!item || item->IsHidden() || !HasWritableValues(*item) ||
            BiosItemIndex(item->GetId()) == kCpuRatioItemIndex)
            continue;
        int index = 0;
        if (item->GetCurrentIndex(&index))  // an unread value is left out
            values.push_back({item->GetId(), index});
    }
}

void UpdateItemValue(ZxOcItemValueList& values, const tagZxOcItemValue& record)
{
    for (auto& value : values)
        if (value.id == record.id)
            value.value = record.value;
}
