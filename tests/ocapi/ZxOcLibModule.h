#pragma once
// ZxOcLib.dll as another program meets it: loaded with LoadLibrary from the
// program folder, its functions resolved by name.

#include <windows.h>

#include <string>
#include <vector>

#include "ocapi/ZxOcLib.h"

namespace ocapitest {

struct ExportEntry {
    const char* name;
    WORD ordinal;
};

// The library's whole export list, in ordinal order.
const std::vector<ExportEntry>& ExpectedExports();

// A resolved export as its own function type.
template <typename Function>
Function As(FARPROC function)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(function));
}

class ZxOcLibModule {
public:
    ZxOcLibModule();  // loads build\dist\ZxOcLib.dll
    ~ZxOcLibModule();
    ZxOcLibModule(const ZxOcLibModule&) = delete;
    ZxOcLibModule& operator=(const ZxOcLibModule&) = delete;

    HMODULE Handle() const { return m_module; }
    bool IsLoaded() const { return m_module != nullptr; }
    FARPROC ByName(const char* name) const { return GetProcAddress(m_module, name); }
    FARPROC ByOrdinal(WORD ordinal) const { return GetProcAddress(m_module, MAKEINTRESOURCEA(ordinal)); }

    // The names in the module's export directory, with their ordinals.
    std::vector<std::pair<std::string, WORD>> ExportDirectory() const;

private:
    HMODULE m_module = nullptr;
};

}  // namespace ocapitest
