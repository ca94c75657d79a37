#include "ocapi/OcProfileAccess.h"

#include "ocapi/OcBroadcast.h"
#include "ocapi/ProfileWriter.h"
#include "tuning/KyOcPrimaryItemSet.h"
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
    // A profile file is anybody's data: the apply writes only the records
    // meant for the tuning items, each inside its item's value range.
    KyOcPrimaryItemSet::GetInstance().ApplyValues(profile.GetValues());
    PostChangeBroadcast();
    return 1;
}

}  // namespace ocapi
