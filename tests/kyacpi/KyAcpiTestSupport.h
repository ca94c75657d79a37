#pragma once
// Reading packages the way the library's callers do, for the board tests.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/kyacpi/KyAcpi.h"

namespace kyacpitest {

// One element as a caller sees it: its data read as an integer and as text.
struct Element {
    DWORD integer = 0;
    std::string text;
};

// Walks a package with ordinals 7, 6, 9 and 10.
std::vector<Element> Walk(void* package);

// Group-list ids (ordinal 5); empty when the read fails.
std::vector<DWORD> GroupIds(int group);

// The descriptor of an item (ordinal 11 on its group-list element data).
struct Descriptor {
    int result = 0;
    int bytes = 0;
    std::vector<BYTE> buffer;
    std::vector<Element> elements;
};
Descriptor ReadDescriptor(DWORD id);

// Ordinal 3; `index` keeps its value when the read fails.
int Read(DWORD id, int& index);
int ReadOr(DWORD id, int fallback);

}  // namespace kyacpitest
