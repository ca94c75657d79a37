// The exported functions of the simulated board library: each takes the
// board's lock for the call, does its work on the board and logs one line.

#include "platform/kyacpi/KyAcpi.h"

#include <string>

#include "platform/kyacpi/BoardOperations.h"
#include "platform/kyacpi/BoardStore.h"
#include "platform/kyacpi/CallLog.h"
#include "platform/kyacpi/Package.h"

using namespace kyacpi;

namespace {

// No exception leaves the library: a failure inside a call (out of memory)
// is the call's failure.
template <typename Call>
int Guarded(Call call)
{
    try {
        return call();
    } catch (...) {
        return 0;
    }
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH];
        DWORD length = GetModuleFileNameA(instance, path, sizeof path);
        std::string folder(path, length < sizeof path ? length : 0);
        size_t slash = folder.find_last_of("\\/");
        SetLibraryFolder(slash == std::string::npos ? std::string(".") : folder.substr(0, slash));
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" {

int WINAPI AcpiOpen(void)
{
    return Guarded([&] {
        BoardSession session;
        int result = session.Ready() ? 1 : 0;
        LogLine("AcpiOpen result=%d", result);
        return result;
    });
}

int WINAPI AcpiSetItemValue(DWORD itemId, int valueIndex, int mode)
{
    return Guarded([&] {
        BoardSession session;
        int result = SetItemValue(session, itemId, valueIndex, mode);
        LogLine("AcpiSetItemValue id=0x%08lX index=%d mode=%d result=%d", itemId, valueIndex, mode, result);
        return result;
    });
}

int WINAPI AcpiGetItemValue(DWORD itemId, int* valueIndex)
{
    return Guarded([&] {
        BoardSession session;
        int result = GetItemValue(session, itemId, valueIndex);
        LogLine("AcpiGetItemValue id=0x%08lX result=%d index=%d", itemId, result, valueIndex ? *valueIndex : 0);
        return result;
    });
}

int WINAPI AcpiReadInfoList(void* buffer, int* size)
{
    return Guarded([&] {
        BoardSession session;
        int count = 0;
        int result = ReadInfoList(session, buffer, size, &count);
        LogLine("AcpiReadInfoList result=%d count=%d", result, count);
        return result;
    });
}

int WINAPI AcpiReadGroupList(int group, void* buffer, int* size)
{
    return Guarded([&] {
        BoardSession session;
        int count = 0;
        int result = ReadGroupList(session, group, buffer, size, &count);
        LogLine("AcpiReadGroupList group=%d result=%d count=%d", group, result, count);
        return result;
    });
}

// The walk works on the caller's buffers alone: no lock, no log.
KYACPI_ELEMENT WINAPI AcpiFirstElement(void* package)
{
    return FirstElement(package);
}
int WINAPI AcpiElementCount(void* package)
{
    return ElementCount(package);
}
void* WINAPI AcpiElementData(KYACPI_ELEMENT element)
{
    return ElementData(element);
}
KYACPI_ELEMENT WINAPI AcpiNextElement(KYACPI_ELEMENT element)
{
    return NextElement(element);
}

int WINAPI AcpiReadItemDescriptor(void* elementData, void* buffer, int* size)
{
    return Guarded([&] {
        BoardSession session;
        DWORD id = 0;
        int result = ReadItemDescriptor(session, elementData, buffer, size, &id);
        LogLine("AcpiReadItemDescriptor id=0x%08lX result=%d bytes=%d", id, result, result ? *size : 0);
        return result;
    });
}

int WINAPI AcpiGetItemValueAt(DWORD itemId, int position, int* value)
{
    return Guarded([&] {
        BoardSession session;
        int result = GetItemValueAt(session, itemId, position, value);
        LogLine("AcpiGetItemValueAt id=0x%08lX pos=%d result=%d value=0x%08X", itemId, position, result,
                value ? static_cast<unsigned>(*value) : 0u);
        return result;
    });
}

int WINAPI AcpiReadItemData(DWORD itemId, int number, void* buffer, int* size)
{
    return Guarded([&] {
        BoardSession session;
        int sizeIn = size ? *size : 0;
        int result = ReadItemData(session, itemId, number, buffer, size);
        LogLine("AcpiReadItemData id=0x%08lX number=%d size=%d result=%d bytes=%d", itemId, number, sizeIn, result,
                result ? *size : 0);
        return result;
    });
}

}  // extern "C"
