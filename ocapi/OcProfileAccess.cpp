#include "ocapi/OcProfileAccess.h"

#include "ocapi/OcBroadcast.h"
#include "ocapi/ProfileWriter.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "tuning/KyOcRatio.h"
#include "tuning/ZxOcItemProfile.h"

namespace ocapi {

int SaveCurrentSettings(const char* path)
{
    ZxOcItemValueList records;
    if (!path || !ReadSettingsForProfile(records))
        return 0;
    return WriteProfileFile(records, path) ? 1 : 0;
}

int LoadProfileFile(const char* path)
{
    ZxOcItemProfile profile;
    if (!profile.LoadFile(path))
        return 0;
    // A profile file is anybody's data: only the visible tuning items and
    // the CPU ratio may be written from it.
    const KyOcPrimaryItemSet& set = KyOcPrimaryItemSet::GetInstance();
    const KyOcRatio& ratio = KyOcRatio::GetInstance();
    ZxOcItemValueList records;
    for (const auto& record : profile.GetValues()) {
        const bool isRatio = ratio.GetItemId() != 0 && record.id == ratio.GetItemId() && !ratio.IsHidden();
        if (isRatio || set.Contains(record.id))
            records.push_back(record);
    }
    KyOcPrimaryItemSet::GetInstance().ApplyValues(records);
    PostChangeBroadcast();
    return 1;
}

}  // namespace ocapi
