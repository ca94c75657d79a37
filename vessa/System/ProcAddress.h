#pragma once
// Typed look-up of a library's entry point. The detour through a plain
// function pointer type keeps the compiler from warning about the cast from
// FARPROC; a missing entry point gives null.

#include <windows.h>

namespace vessa {

template <typename Function>
Function GetProcAddressAs(HMODULE module, const char* name)
{
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace vessa
