#pragma once
// The binding of KyIO.dll, the outside library through which the program
// reads and writes model-specific registers (MSRs), and the pinned register
// access every CPU model operation goes through.

#include <cstdint>

// Result codes of LoadKyIO.
enum KyIOLoadResult {
    kKyIOLoaded = 0,
    kKyIOLibraryMissing = 1,
    kKyIOOpenMissing = 2,
    kKyIOCloseMissing = 3,
    kKyIOFrequencyMissing = 4,
    kKyIOReadMissing = 5,
    kKyIOCpuIdMissing = 6,
    kKyIOOpenFailed = 7,
};

// Loads "KyIO.dll" by plain name, binds its six entry points and opens it.
// Runs every step on every call. A successful call (0) replaces the entry
// points ReadMSR and WriteMSR use; any other result leaves the earlier ones.
int LoadKyIO();

// True when a read entry point is bound.
bool HasRegisterAccess();

// The register on the processor that runs the calling thread. False, with
// nothing called, when the entry point is missing; a read then leaves *value
// as it is (callers preset it to 0).
bool ReadMSR(unsigned msr, std::uint64_t* value);
bool WriteMSR(unsigned msr, std::uint64_t* value);

// Pins the calling thread to one logical processor (the affinity is not
// restored afterwards). False for a processor the mask cannot name (below 0,
// 32 or above) or one the system refuses.
bool PinThreadToCore(int core);

// Pin, then read or write. A failed pin skips the access: the read gives 0
// and returns false, the write writes nothing.
bool ReadCoreMSR(int core, unsigned msr, std::uint64_t* value);
bool WriteCoreMSR(int core, unsigned msr, std::uint64_t value);
