#pragma once
// Opening the BIOS item library once per process, before its first use.

namespace ocapi {

// Calls AcpiOpen on the first call only; later calls do nothing.
void EnsureItemLibraryOpen();

}  // namespace ocapi
