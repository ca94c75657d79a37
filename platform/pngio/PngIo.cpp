// The pngio.dll stand-in: "ReadPngEx" decodes a PNG from the caller's read
// callback into 8-bit rows, R, G, B (colour type 2) or R, G, B, A (colour
// type 6, whenever the image carries any alpha: an alpha channel or a tRNS
// chunk). Every PNG colour type, bit depth and interlace is expanded. The
// skins' own kind (8-bit RGBA, not interlaced) takes a short path
// (PlainRgba.h); every other file goes through stb_image.
//
// The rows live in one heap block that starts with the row pointers, so
// "FreePngData" has a single block to free.

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "BlockPool.h"
#include "StbConfig.h"
#define STBI_NO_STDIO
#include <stb_image.h>

#include "platform/pngio/PlainRgba.h"
#include "platform/pngio/PngIoLibrary.h"

namespace {

// The caller's read callback, until it hands out nothing more.
struct CallbackSource {
    PngReadCallback read;
    void* user;
    bool ended;
};

// Larger files are refused unread: a skin is a few kilobytes, and the whole
// file is held while it is decoded.
constexpr size_t kLargestFile = 256u * 1024 * 1024;

// Fills the whole request unless the data ends.
int ReadFromCaller(CallbackSource* source, char* data, int size)
{
    int filled = 0;
    while (!source->ended && filled < size) {
        UINT wanted = static_cast<UINT>(size - filled);
        UINT got = source->read(source->user, data + filled, wanted);
        if (got > wanted)  // a callback that claims more than it was asked for
            got = wanted;
        if (got == 0)
            source->ended = true;
        filled += static_cast<int>(got);
    }
    return filled;
}

bool HasAlpha(int channels)
{
    return channels == 2 || channels == 4;
}

// Writes one decoded pixel of `channels` samples (grey, grey+alpha, RGB or
// RGBA) as R, G, B and, when `withAlpha`, A.
void ExpandPixel(const uint8_t* in, int channels, bool withAlpha, uint8_t* out)
{
    bool grey = channels <= 2;
    out[0] = in[0];
    out[1] = grey ? in[0] : in[1];
    out[2] = grey ? in[0] : in[2];
    if (withAlpha)
        out[3] = in[channels - 1];
}

// The row block for a width × height image of `pixelBytes` per pixel, or
// null when the size is out of range or would overflow.
uint8_t** AllocateRows(uint32_t width, uint32_t height, uint32_t pixelBytes, uint32_t* rowBytes)
{
    if (width == 0 || height == 0 || width > PNGIO_MAX_DIMENSION || height > PNGIO_MAX_DIMENSION)
        return nullptr;
    uint64_t stride = static_cast<uint64_t>(width) * pixelBytes;
    uint64_t pointerBytes = static_cast<uint64_t>(height) * sizeof(uint8_t*);
    uint64_t total = pointerBytes + stride * height;
    if (total > static_cast<uint64_t>(INT32_MAX))
        return nullptr;
    auto* block = static_cast<uint8_t*>(PoolAllocate(static_cast<size_t>(total)));
    if (block == nullptr)
        return nullptr;
    auto** rows = reinterpret_cast<uint8_t**>(block);
    uint8_t* pixels = block + pointerBytes;
    for (uint32_t y = 0; y < height; ++y)
        rows[y] = pixels + static_cast<size_t>(y) * static_cast<size_t>(stride);
    *rowBytes = static_cast<uint32_t>(stride);
    return rows;
}

// The whole file read through the caller's callback; the reader frees
// `bytes` (no destructor: the DLL carries no C++ unwinding runtime).
struct WholeFile {
    uint8_t* bytes = nullptr;
    size_t size = 0;
};

// False for a file over the size limit (nothing a skin comes near), an
// empty one or a failed allocation.
bool ReadWholeFile(CallbackSource& source, WholeFile& file)
{
    constexpr size_t kChunk = 64 * 1024;
    size_t capacity = 0;
    while (!source.ended) {
        if (file.size >= kLargestFile)
            return false;
        if (capacity - file.size < kChunk) {
            capacity = capacity ? capacity * 2 : kChunk;
            auto* larger = static_cast<uint8_t*>(PoolReallocate(file.bytes, capacity));
            if (larger == nullptr)
                return false;
            file.bytes = larger;
        }
        file.size += size_t(ReadFromCaller(&source, reinterpret_cast<char*>(file.bytes + file.size), int(kChunk)));
    }
    return file.size > 0;
}

// Every colour type, bit depth and interlace, through stb_image, expanded
// to R, G, B (and A when the image has any alpha). Null when it refuses.
uint8_t** DecodeAnyPng(const WholeFile& file, int& width, int& height, bool& withAlpha, uint32_t& rowBytes)
{
    int channels = 0;
    stbi_uc* decoded = stbi_load_from_memory(file.bytes, static_cast<int>(file.size), &width, &height, &channels, 0);
    if (decoded == nullptr)
        return nullptr;
    if (channels < 1 || channels > 4 || width <= 0 || height <= 0) {
        stbi_image_free(decoded);
        return nullptr;
    }
    withAlpha = HasAlpha(channels);
    const uint32_t pixelBytes = withAlpha ? 4 : 3;
    uint8_t** rows = AllocateRows(static_cast<uint32_t>(width), static_cast<uint32_t>(height), pixelBytes, &rowBytes);
    if (rows == nullptr) {
        stbi_image_free(decoded);
        return nullptr;
    }
    const uint8_t* in = decoded;
    for (int y = 0; y < height; ++y) {
        uint8_t* out = rows[y];
        for (int x = 0; x < width; ++x, in += channels, out += pixelBytes)
            ExpandPixel(in, channels, withAlpha, out);
    }
    stbi_image_free(decoded);
    return rows;
}

}  // namespace

extern "C" {

int WINAPI ReadPngEx(PngInfo* info, PngReadCallback read, void* user)
{
    if (info == nullptr)
        return 0;
    std::memset(info, 0, sizeof *info);
    if (read == nullptr)
        return 0;

    CallbackSource source{read, user, false};
    WholeFile file;
    if (!ReadWholeFile(source, file)) {
        PoolFree(file.bytes);
        return 0;
    }

    int width = 0, height = 0;
    bool withAlpha = true;
    uint8_t** rows = nullptr;
    uint32_t rowBytes = 0;
    pngio::PlainRgbaHeader plain;
    if (pngio::IsPlainRgba(file.bytes, file.size, plain)) {
        rows = AllocateRows(plain.width, plain.height, 4, &rowBytes);
        if (rows != nullptr && !pngio::DecodePlainRgba(file.bytes, file.size, plain, rows)) {
            PoolFree(rows);
            rows = nullptr;  // broken data: the general decoder says so
        }
        width = static_cast<int>(plain.width);
        height = static_cast<int>(plain.height);
    }
    if (rows == nullptr)
        rows = DecodeAnyPng(file, width, height, withAlpha, rowBytes);
    PoolFree(file.bytes);
    if (rows == nullptr)
        return 0;

    info->width = static_cast<uint32_t>(width);
    info->height = static_cast<uint32_t>(height);
    info->bitDepth = 8;
    info->colorType = withAlpha ? kPngColorTypeRgba : kPngColorTypeRgb;
    info->rowBytes = rowBytes;
    info->rows = rows;
    return 1;
}

void WINAPI FreePngData(PngInfo* info)
{
    if (info == nullptr)
        return;
    PoolFree(info->rows);
    std::memset(info, 0, sizeof *info);
}

// Bound by the program but never called: writing PNG files is not offered.
int WINAPI WritePngEx(const PngInfo* info, PngWriteCallback write, void* user)
{
    return 0;
}

// Bound by the program but never called; the decoder allocates its own rows.
int WINAPI AllocatePngData(PngInfo* info)
{
    return 0;
}

}  // extern "C"
