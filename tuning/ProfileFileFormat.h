#pragma once
// The profile file (".oc"): "KYOC", a version, a record count, then the
// records, little-endian, no padding, no trailer.

#include <cstdint>

constexpr char kProfileMagic[4] = {'K', 'Y', 'O', 'C'};
constexpr uint32_t kProfileVersion = 1;  // written; readers refuse anything above
constexpr uint32_t kProfileHeaderSize = 12;
