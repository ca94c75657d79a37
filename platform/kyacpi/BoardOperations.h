#pragma once
// What each library call does on the simulated board. Every function takes
// the call's session (lock held, board read) and returns the library's
// result: 1 for success, 0 for failure. Outputs are written only on success.

#include <windows.h>

#include "platform/kyacpi/BoardStore.h"

namespace kyacpi {

int SetItemValue(BoardSession& session, DWORD id, int index, int mode);
int GetItemValue(BoardSession& session, DWORD id, int* index);
// *count: the elements of the package handed out (0 on failure).
int ReadInfoList(BoardSession& session, void* buffer, int* size, int* count);
int ReadGroupList(BoardSession& session, int group, void* buffer, int* size, int* count);
// *id: the item id found in the element data (0 when there is none).
int ReadItemDescriptor(BoardSession& session, const void* elementData, void* buffer, int* size, DWORD* id);
int GetItemValueAt(BoardSession& session, DWORD id, int position, int* value);
int ReadItemData(BoardSession& session, DWORD id, int number, void* buffer, int* size);

}  // namespace kyacpi
