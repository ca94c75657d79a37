#pragma once
// Calls a 32-bit stdcall function through a raw address and reports how far
// the stack pointer moved across the call: 0 when the callee removed exactly
// the arguments it was given, as its declaration promises.

#include <windows.h>

#include <cstdint>
#include <initializer_list>

namespace abi32 {

struct StdcallResult {
    std::uint32_t value;      // eax
    std::int32_t stackDelta;  // esp after the call minus esp before the arguments were pushed
};

StdcallResult CallStdcall(FARPROC function, std::initializer_list<std::uint32_t> arguments);

inline std::uint32_t Arg(const void* pointer)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

}  // namespace abi32
