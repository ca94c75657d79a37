#pragma once
// A profile: a list of (item id, value index) records from a profile stored
// in the BIOS or from a profile file. Also the danger limits of the tuning
// items and the current settings as a record list.

#include <windows.h>

#include <string>

#include "tuning/ZxOcItemValue.h"

class ZxOcItemProfile {
public:
    // Names of the profiles stored in the BIOS, read once per process.
    static int GetBiosProfileCount();
    static std::string GetBiosProfileName(int index);  // "" out of range

    // The current settings with stored profile `number` laid over them.
    bool ReadFromBios(int number);
    // A profile file; false when it cannot be opened or its header is short
    // or of a later version (the records then stay as they were).
    bool LoadFile(const char* path);

    uint32_t GetVersion() const { return m_version; }
    const ZxOcItemValueList& GetValues() const { return m_values; }
    ZxOcItemValueList& GetValues() { return m_values; }

private:
    uint32_t m_version = 0;
    ZxOcItemValueList m_values;
};

// True when the value index is past the item's danger limit (an item known
// by its 16-bit index); false without a limit.
bool IsAboveWarningLevel(int itemIndex, int valueIndex);

// The current settings: the CPU ratio as the cores hold it (one record per
// core when per-core, an unread core holding KyOcRatio::kUnreadRatio) and
// every visible tuning item whose value could be read, in BIOS order.
void ReadCurrentItemValues(ZxOcItemValueList& values);
// Appends every visible tuning item but the CPU ratio, with its current
// value, in BIOS order; an item whose value cannot be read is left out.
void AppendVisibleTuningValues(ZxOcItemValueList& values);

// Every record of the record's id takes its value; an id not in the list is
// not added.
void UpdateItemValue(ZxOcItemValueList& values, const tagZxOcItemValue& record);
