#pragma once
// Every export runs through RunExport: the item library is opened before the
// first use by any export (a program may call any of them first), and no C++
// exception ever leaves the library.

#include "ocapi/OcItemLibrary.h"

namespace ocapi {

template <typename Body>
int RunExport(Body body) noexcept
{
    try {
        EnsureItemLibraryOpen();
        return body();
    } catch (...) {
        // Out of memory while building the item objects: report failure.
        return 0;
    }
}

}  // namespace ocapi
