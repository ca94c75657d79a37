#pragma once
// How the tuning core differs between the two deliverables that compile it.
// The program and the C interface library (ZxOcLib) share every source of
// the core but one: each links exactly one definition of the functions
// below and of the system-control client's request path -
// ProgramTuningBuild.cpp for the program, OcLibTuningBuild.cpp for the
// library (chosen in TuningCore.cmake). Everything the builds do
// differently is in those two files.

namespace tuningbuild {

// The graphics clock (index 0x60) gets its own place in the apply order, and
// a graphics item makes the set look for the graphics driver. The library
// writes it among the other items and has no driver check.
bool HasGraphicsSteps();

// The per-core turbo item (index 0xF9) makes the CPU ratio per-core and its
// apply write every listed core. The library decides per-core by the turbo
// status items alone.
bool UsesPerCoreTurboItem();

// The graphics driver's version can be read from the registry; always false
// in the library.
bool IsPelorusDriverRegistered();

}  // namespace tuningbuild
