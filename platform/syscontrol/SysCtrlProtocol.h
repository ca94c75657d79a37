#pragma once
// The maker's system-control pipe protocol: requests of little-endian
// 32-bit words, the request code first; the reply's word 0 is 1 on
// success. Shared by the program's client and the service stand-in.

#include <cstdint>

constexpr char kSysCtrlPipeName[] = "MEROVAN SYSTEM CONTROL PIPE";
// The longest reply a client reads.
constexpr uint32_t kSysCtrlReplySize = 4096;

// Request codes: {kSysCtrlNotifyChange, a, b, c} and {kSysCtrlQueryState}.
constexpr uint32_t kSysCtrlNotifyChange = 0x80000000;
constexpr uint32_t kSysCtrlQueryState = 0x80000001;
