// A program linked with ZxOcLib's import library, as Dovrel is: the one
// function it uses is bound by ordinal 13 when the program loads.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ocapi/ZxOcLib.h"

namespace {

// The ordinals (or 0 for a by-name import) this program imports from `dll`.
std::vector<WORD> ImportedOrdinals(const char* dll, bool* byName)
{
    std::vector<WORD> ordinals;
    *byName = false;
    auto base = reinterpret_cast<const BYTE*>(GetModuleHandleA(nullptr));
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto import = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + entry.VirtualAddress); import->Name != 0;
         ++import) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + import->Name), dll) != 0)
            continue;
        auto thunk = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
        for (; thunk->u1.Ordinal != 0; ++thunk) {
            if (IMAGE_SNAP_BY_ORDINAL(thunk->u1.Ordinal))
                ordinals.push_back(static_cast<WORD>(IMAGE_ORDINAL(thunk->u1.Ordinal)));
            else
                *byName = true;
        }
    }
    return ordinals;
}

}  // namespace

TEST(ZxOcLibImportLibrary, SaveCurrentIsBoundByOrdinal13AtLoadTime)
{
    bool byName = true;
    std::vector<WORD> ordinals = ImportedOrdinals("ZxOcLib.dll", &byName);
    EXPECT_FALSE(byName);
    EXPECT_EQ(ordinals, std::vector<WORD>{13});

    // The bound function is the library's own.
    HMODULE library = GetModuleHandleA("ZxOcLib.dll");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(&ZxOcSaveCurrentDovrel),
              reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(13))));
    EXPECT_EQ(ZxOcSaveCurrentDovrel(nullptr), 0);
}
