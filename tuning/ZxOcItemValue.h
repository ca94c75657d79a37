#pragma once
// The unit of apply lists, snapshots and profiles: one item's value index.

#include <cstdint>
#include <vector>

struct tagZxOcItemValue {
    uint32_t id;    // BIOS item id
    int32_t value;  // value index
};
static_assert(sizeof(tagZxOcItemValue) == 8, "a record is 8 bytes, no padding");

typedef std::vector<tagZxOcItemValue> ZxOcItemValueList;
