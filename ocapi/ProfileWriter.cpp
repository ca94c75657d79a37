#include "ocapi/ProfileWriter.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tuning/KyOcRatio.h"
#include "tuning/ProfileFileFormat.h"
#include "tuning/TuningItems.h"
#include "turboInfo_Intel/BiosInterface.h"

namespace ocapi {

namespace {

// Null-DACL security attributes: every user may read and replace profiles.
class EveryoneSecurity {
public:
    EveryoneSecurity()
    {
        InitializeSecurityDescriptor(&m_descriptor, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&m_descriptor, TRUE, nullptr, FALSE);
        m_attributes.nLength = sizeof m_attributes;
        m_attributes.lpSecurityDescriptor = &m_descriptor;
        m_attributes.bInheritHandle = TRUE;
    }
    SECURITY_ATTRIBUTES* Attributes() { return &m_attributes; }

private:
    SECURITY_DESCRIPTOR m_descriptor{};
    SECURITY_ATTRIBUTES m_attributes{};
};

bool WriteAll(HANDLE file, const void* data, DWORD size)
{
    DWORD written = 0;
    return size == 0 || (WriteFile(file, data, size, &written, nullptr) && written == size);
}

}  // namespace

bool ReadSettingsForProfile(ZxOcItemValueList& records)
{
    records.clear();
    GroupInfoTraverser traverser;
    if (!traverser.Open(kTuningGroup))
        return false;
    for (; !traverser.IsEnd(); traverser.Next()) {
        std::unique_ptr<BiosItemA> item(traverser.CreateItem());
        if (!item || item->IsHidden() || !HasWritableValues(*item))
            continue;
        const DWORD id = item->GetId();
        if (BiosItemIndex(id) == kCpuRatioItemIndex) {
            KyOcRatio& ratio = KyOcRatio::GetInstance();
            std::vector<int> ratios;
            // One record per core in core order; a core that cannot be read
            // keeps its place with an index no apply writes.
            ratio.ReadRatios(ratios);
            for (int value : ratios)
                records.push_back({id, value});
            continue;
        }
        int index = 0;
        if (item->GetCurrentIndex(&index))  // an unread item is left out, never guessed
            records.push_back({id, index});
    }
    return true;
}

bool WriteProfileFile(const ZxOcItemValueList& records, const char* path)
{
    if (!path || !*path)
        return false;
    const std::string target = path;
    const std::string temporary = target + ".tmp";
    EveryoneSecurity security;
    HANDLE file = CreateFileA(temporary.c_str(), FILE_ALL_ACCESS, FILE_SHARE_READ, security.Attributes(), CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const uint32_t version = kProfileVersion;
    const uint32_t count = static_cast<uint32_t>(records.size());
    bool written = WriteAll(file, kProfileMagic, sizeof kProfileMagic) && WriteAll(file, &version, sizeof version) &&
                   WriteAll(file, &count, sizeof count) &&
                   WriteAll(file, records.data(), static_cast<DWORD>(count * sizeof(tagZxOcItemValue)));
    written = FlushFileBuffers(file) && written;
    CloseHandle(file);
    if (written && MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary.c_str());
    return false;
}

}  // namespace ocapi
