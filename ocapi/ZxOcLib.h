#pragma once
/*
 * ZxOcLib.dll: the tuning library for other programs.
 *
 * Queries, reads and writes the FSB frequency and the CPU core, DRAM and NB
 * core voltages by value index, saves the current BIOS settings to a profile
 * file, loads a profile file back and tells whether the power-saving mode is
 * on. Every function uses the WINAPI convention and returns 1 on success and
 * 0 otherwise. The library is not thread-safe: call it from one thread.
 *
 * Link with the import library (which imports by ordinal) or resolve the
 * functions with GetProcAddress by name or ordinal; the ordinals are given
 * beside each prototype and never change.
 *
 * After every successful set and after a profile load, the library posts the
 * registered message ZXOC_BROADCAST_MESSAGE_NAME to all top-level windows
 * with wParam ZXOC_BROADCAST_WPARAM and lParam 0: re-read what you show.
 */

#include <windows.h>

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Name of the registered window message posted after a change. */
#define ZXOC_BROADCAST_MESSAGE_NAME "WM_MEROVAN_BROADCAST_MESSAGE"
/* wParam of that message; lParam is 0. */
#define ZXOC_BROADCAST_WPARAM 0x2355

#define ZXOC_ITEM_NAME_SIZE 32

/*
 * One item's value range: the value at index i is
 *     (minimumNumerator + i * stepNumerator) / denominator
 * where the minimum and the step each carry their own denominator.
 * 52 bytes, no padding.
 */
typedef struct ItemInfo {
    char name[ZXOC_ITEM_NAME_SIZE]; /* zero-terminated, at most 31 characters */
    INT32 minimumNumerator;
    INT32 minimumDenominator;
    INT32 stepNumerator;
    INT32 stepDenominator;
    INT32 valueCount; /* valid value indexes are 0 .. valueCount - 1 */
} ItemInfo;

#ifdef __cplusplus
#define ZXOC_STATIC_ASSERT(condition, text) static_assert(condition, text)
#else
#define ZXOC_STATIC_ASSERT(condition, text) _Static_assert(condition, text)
#endif
ZXOC_STATIC_ASSERT(sizeof(ItemInfo) == 52, "ItemInfo is 52 bytes");
ZXOC_STATIC_ASSERT(offsetof(ItemInfo, minimumNumerator) == 32, "ItemInfo layout");
ZXOC_STATIC_ASSERT(offsetof(ItemInfo, minimumDenominator) == 36, "ItemInfo layout");
ZXOC_STATIC_ASSERT(offsetof(ItemInfo, stepNumerator) == 40, "ItemInfo layout");
ZXOC_STATIC_ASSERT(offsetof(ItemInfo, stepDenominator) == 44, "ItemInfo layout");
ZXOC_STATIC_ASSERT(offsetof(ItemInfo, valueCount) == 48, "ItemInfo layout");
#undef ZXOC_STATIC_ASSERT

#if defined(ZXOCLIB_BUILD)
#define ZXOCLIB_API
#else
#define ZXOCLIB_API __declspec(dllimport)
#endif

/* Value ranges. 0 when the item is absent or info is null. */
ZXOCLIB_API int WINAPI ZxOcQueryFsbFrquencyInfo(ItemInfo* info); /* ordinal 1 */
ZXOCLIB_API int WINAPI ZxOcQueryDramVoltInfo(ItemInfo* info);    /* ordinal 2 */
ZXOCLIB_API int WINAPI ZxOcQueryVcoreVoltInfo(ItemInfo* info);   /* ordinal 3 */
ZXOCLIB_API int WINAPI ZxOcQueryNbCoreVoltInfo(ItemInfo* info);  /* ordinal 4 */

/* Current value index. 0 (and *valueIndex untouched) when it cannot be read. */
ZXOCLIB_API int WINAPI ZxOcGetFsbFrquency(int* valueIndex); /* ordinal 5 */
ZXOCLIB_API int WINAPI ZxOcGetDramVolt(int* valueIndex);    /* ordinal 6 */
ZXOCLIB_API int WINAPI ZxOcGetVcoreVolt(int* valueIndex);   /* ordinal 7 */
ZXOCLIB_API int WINAPI ZxOcGetNbCoreVolt(int* valueIndex);  /* ordinal 8 */

/*
 * Writes a value index (0 .. valueCount - 1). 0 when the index is out of
 * range, already current, or the write fails; nothing is then changed.
 */
ZXOCLIB_API int WINAPI ZxOcSetFsbFrquency(int valueIndex); /* ordinal 9 */
ZXOCLIB_API int WINAPI ZxOcSetDramVolt(int valueIndex);    /* ordinal 10 */
ZXOCLIB_API int WINAPI ZxOcSetVcoreVolt(int valueIndex);   /* ordinal 11 */
ZXOCLIB_API int WINAPI ZxOcSetNbCoreVolt(int valueIndex);  /* ordinal 12 */

/* Writes the current BIOS tuning settings to a profile file (".oc"). */
ZXOCLIB_API int WINAPI ZxOcSaveCurrentDovrel(const char* path); /* ordinal 13 */
/* Reads a profile file and applies its tuning items. 0 when it cannot be read. */
ZXOCLIB_API int WINAPI ZxOcLoadProfile(const char* path); /* ordinal 14 */
/* 1 when the maker's power-saving mode is on. */
ZXOCLIB_API int WINAPI ZxOcIsOxlenMode(void); /* ordinal 15 */

/* Function types for GetProcAddress. */
typedef int(WINAPI* ZxOcQueryInfoFunction)(ItemInfo* info);
typedef int(WINAPI* ZxOcGetValueFunction)(int* valueIndex);
typedef int(WINAPI* ZxOcSetValueFunction)(int valueIndex);
typedef int(WINAPI* ZxOcProfileFunction)(const char* path);
typedef int(WINAPI* ZxOcModeFunction)(void);

#ifdef __cplusplus
}
#endif
