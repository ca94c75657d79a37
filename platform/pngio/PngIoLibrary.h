#pragma once
// The PNG decoding library "pngio.dll", loaded by name at run time from the
// program folder. Every entry point is stdcall and exported without
// decoration. The library allocates the decoded rows; the caller gives them
// back with "FreePngData".

#include <windows.h>

#include <cstddef>
#include <cstdint>

extern "C" {

// Filled by "ReadPngEx", released by "FreePngData". All fields 32-bit,
// little-endian, 24 bytes in all.
struct PngInfo {
    uint32_t width;      // pixels
    uint32_t height;     // pixels
    uint32_t bitDepth;   // bits per channel of the decoded rows (always 8)
    uint32_t colorType;  // kPngColorTypeRgba: R, G, B, A per pixel; anything else: R, G, B
    uint32_t rowBytes;   // bytes of one decoded row
    uint8_t** rows;      // one pointer per row, top row first
};

// Reads up to `count` bytes into `buffer`; returns how many it read (0 at
// the end of the data).
typedef UINT(WINAPI* PngReadCallback)(void* user, void* buffer, UINT count);
// Writes `count` bytes; returns how many it wrote.
typedef UINT(WINAPI* PngWriteCallback)(void* user, const void* buffer, UINT count);

// Non-zero on success. On failure the record is all zero and nothing needs freeing.
typedef int(WINAPI* ReadPngExFunction)(PngInfo* info, PngReadCallback read, void* user);
typedef void(WINAPI* FreePngDataFunction)(PngInfo* info);
typedef int(WINAPI* WritePngExFunction)(const PngInfo* info, PngWriteCallback write, void* user);
typedef int(WINAPI* AllocatePngDataFunction)(PngInfo* info);

}  // extern "C"

// The library's record in the 32-bit program; the 64-bit test build only
// widens the row pointer.
static_assert(offsetof(PngInfo, colorType) == 12, "colour type at offset 12");
static_assert(sizeof(void*) == 8 || sizeof(PngInfo) == 24, "PngInfo is the library's 24-byte record");
static_assert(sizeof(void*) == 8 || offsetof(PngInfo, rows) == 20, "row pointers at offset 20");

constexpr uint32_t kPngColorTypeRgb = 2;
constexpr uint32_t kPngColorTypeRgba = 6;

constexpr const char kPngIoLibraryName[] = "pngio.dll";
constexpr const char kReadPngExName[] = "ReadPngEx";
constexpr const char kWritePngExName[] = "WritePngEx";
constexpr const char kFreePngDataName[] = "FreePngData";
constexpr const char kAllocatePngDataName[] = "AllocatePngData";
