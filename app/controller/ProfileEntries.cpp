#include "app/controller/ProfileEntries.h"

#include "app/bars/AdvBar.h"
#include "tuning/KyOcRatio.h"
#include "tuning/TuningItems.h"
#include "tuning/ZxOcItemProfile.h"
#include "vessa/fileutl/Source/PathUtility.h"
#include "vessa/fileutl/Source/WinFileFind.h"

std::vector<std::string> ListProfileEntries(const std::string& folder)
{
    std::vector<std::string> entries;
    for (int i = 0; i < ZxOcItemProfile::GetBiosProfileCount(); ++i)
        entries.push_back(ZxOcItemProfile::GetBiosProfileName(i));
    if (folder.empty())
        return entries;              // no profile folder: no files
    vessa::WinFileEnumerater files;  // files only, not recursive
    for (files.Open(folder, false); !files.IsEnd(); files.Next()) {
        const std::string name = files.GetName();
        if (vessa::SameTextString(vessa::ExtractFileExtString(name), kProfileExtension))
            entries.push_back(vessa::RemoveFileExtString(vessa::ExtractFileNameString(name)));
    }
    return entries;
}

bool ReadProfileEntry(int index, const std::string& text, const std::string& folder, ZxOcItemValueList& values)
{
    if (index < 0)
        return false;
    ZxOcItemProfile profile;
    const bool read = index < ZxOcItemProfile::GetBiosProfileCount()
                          ? profile.ReadFromBios(index)
                          : !folder.empty() && profile.LoadFile((folder + text + kProfileExtension).c_str());
    if (read)
        values = profile.GetValues();
    return read;
}

void MoveBarsToProfile(const ZxOcItemValueList& values, bool perCoreRatio, const AdvBarList& coreRatioBars,
                       const std::function<AdvBar*(DWORD)>& barByItem)
{
    size_t core = 0;
    for (const tagZxOcItemValue& record : values) {
        AdvBar* bar = nullptr;
        if ((record.id & 0xFFFF) == kCpuRatioItemIndex && perCoreRatio) {
            if (core >= coreRatioBars.size())
                continue;  // more ratio records than cores on this board
            bar = coreRatioBars[core++];
            if (record.value == KyOcRatio::kUnreadRatio)
                continue;  // a core the profile does not name and that could not be read
        } else {
            bar = barByItem(record.id);
        }
        if (bar != nullptr && bar->IsEnabled())
            bar->SetPositionIfChanged(record.value);
    }
}
