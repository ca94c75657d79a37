#include "ocapi/OcItemLibrary.h"

#include "platform/kyacpi/KyAcpi.h"

namespace ocapi {

void EnsureItemLibraryOpen()
{
    // Single-threaded by contract, so a plain flag is enough. The result of
    // AcpiOpen tells nothing the later calls would not.
    static bool opened = false;
    if (opened)
        return;
    opened = true;
    AcpiOpen();
}

}  // namespace ocapi
