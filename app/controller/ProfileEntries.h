#pragma once
// The entries of the main window's profile box and what choosing one does:
// the profiles stored in the BIOS first, then the ".oc" files of the profile
// folder (any case of the extension, no folders). Choosing an entry only
// moves bars; nothing reaches the hardware before Apply.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/controller/BarValues.h"
#include "tuning/ZxOcItemValue.h"

constexpr char kProfileExtension[] = ".oc";

// BIOS profile names, then the profile names of `folder` (with its "\").
std::vector<std::string> ListProfileEntries(const std::string& folder);

// The records of entry `index` with text `text`: a BIOS profile below the
// BIOS profile count, else the file <folder><text>.oc. False when it
// cannot be read; `values` is then untouched.
bool ReadProfileEntry(int index, const std::string& text, const std::string& folder, ZxOcItemValueList& values);

// Moves the enabled bars to the profile's values: the k-th CPU ratio record
// to the k-th core-ratio bar while the ratio set is per-core, every other
// record to the bar of its item. Records without a bar are skipped.
void MoveBarsToProfile(const ZxOcItemValueList& values, bool perCoreRatio, const AdvBarList& coreRatioBars,
                       const std::function<AdvBar*(DWORD)>& barByItem);
