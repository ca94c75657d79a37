#pragma once
// Writing profile files: the current BIOS settings as records, and the file.

#include "tuning/ZxOcItemValue.h"

namespace ocapi {

// Every visible item of the tuning group in BIOS order, the CPU ratio once
// per addressed core. Items whose value cannot be read are left out. False
// when the group cannot be read.
bool ReadSettingsForProfile(ZxOcItemValueList& records);

// Writes the file, readable and writable by every user. The file is written
// beside its final place and then put there, so an existing profile is
// replaced whole or not at all. False when it could not be written.
bool WriteProfileFile(const ZxOcItemValueList& records, const char* path);

}  // namespace ocapi
