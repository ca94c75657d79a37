#include "ocapi/OcProfileAccess.h"

namespace ocapi {

// Saving and loading belong on the shared profile object, profile writer and
// frequency-safe apply order of the tuning core. Until this build carries
// them, both report failure and touch neither the BIOS nor any file, rather
// than claim a success that did not happen.
int SaveCurrentSettings(const char* path)
{
    return 0;
}

int LoadProfileFile(const char* path)
{
    return 0;
}

}  // namespace ocapi
