#pragma once
// The maker's BIOS item library "KyAcpi.dll", linked at load time by ordinal
// only (the import library maps each name to its ordinal). All functions are
// stdcall.
//
// A package is a list of elements in the caller's buffer; an element's data
// is a 32-bit integer or a zero-terminated ANSI text. Results: the write,
// read, indexed-read and data-read operations report success in bit 0; the
// group-list and descriptor reads report it as a non-zero value.

#include <windows.h>

extern "C" {

typedef void* KYACPI_ELEMENT;

// 1: open the library; repeated calls are harmless. The result is ignored.
int WINAPI AcpiOpen(void);
// 2: write a value index. Mode 2 for tuning values, mode 1 for the core
// selector 0x030600F0 (core number, 255 = all cores) and the switches.
// Write modes of AcpiSetItemValue: tuning values, and the core selector and
// switches.
constexpr int kAcpiTuningWriteMode = 2;
constexpr int kAcpiSwitchWriteMode = 1;
int WINAPI AcpiSetItemValue(DWORD itemId, int valueIndex, int mode);
// 3: read the current value index.
int WINAPI AcpiGetItemValue(DWORD itemId, int* valueIndex);
// 4: the fixed information list (integers; the first two are a header).
// *size is 4096 in.
int WINAPI AcpiReadInfoList(void* buffer, int* size);
// 5: the item list of one group, one element per item. *size is 4096 in.
int WINAPI AcpiReadGroupList(int group, void* buffer, int* size);
// 6, 7, 9, 10: walking a package.
KYACPI_ELEMENT WINAPI AcpiFirstElement(void* package);
int WINAPI AcpiElementCount(void* package);
void* WINAPI AcpiElementData(KYACPI_ELEMENT element);
KYACPI_ELEMENT WINAPI AcpiNextElement(KYACPI_ELEMENT element);
// 11: the descriptor package of the item whose group-list element data is
// given; element 0 is the item id. *size is 4096 in, bytes used out.
int WINAPI AcpiReadItemDescriptor(void* elementData, void* buffer, int* size);
// 12: an indexed value of an item (used on 0x030600F1).
int WINAPI AcpiGetItemValueAt(DWORD itemId, int position, int* value);
// 13: raw 32-bit words of an item's data; *size is the buffer size in, the
// bytes filled out.
int WINAPI AcpiReadItemData(DWORD itemId, int number, void* buffer, int* size);

}  // extern "C"

// Buffer size every caller passes for packages and descriptors.
constexpr int kAcpiPackageBufferSize = 4096;
