// The pngio.dll stand-in: "ReadPngEx" decodes a PNG from the caller's read
// callback into 8-bit rows, R, G, B (colour type 2) or R, G, B, A (colour
// type 6, whenever the image carries any alpha: an alpha channel or a tRNS
// chunk). Every PNG colour type, bit depth and interlace is expanded.
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

#include "platform/pngio/PngIoLibrary.h"

namespace {

// stb_image pulls the data through these three functions.
struct CallbackSource {
    PngReadCallback read;
    void* user;
    bool ended;
};

// Fills the whole request unless the data ends: stb_image rewinds to the
// start of its first buffer after testing the signature, so a callback that
// hands out a few bytes at a time must not leave that buffer short.
int ReadFromCaller(void* context, char* data, int size)
{
    auto* source = static_cast<CallbackSource*>(context);
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

void SkipFromCaller(void* context, int count)
{
    char scratch[512];
    while (count > 0) {
        int got = ReadFromCaller(context, scratch, count < static_cast<int>(sizeof scratch) ? count : sizeof scratch);
        if (got <= 0)
            return;
        count -= got;
    }
}

int CallerAtEnd(void* context)
{
    return static_cast<CallbackSource*>(context)->ended ? 1 : 0;
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
    const stbi_io_callbacks callbacks{ReadFromCaller, SkipFromCaller, CallerAtEnd};
    int width = 0, height = 0, channels = 0;
    stbi_uc* decoded = stbi_load_from_callbacks(&callbacks, &source, &width, &height, &channels, 0);
    if (decoded == nullptr)
        return 0;
    if (channels < 1 || channels > 4 || width <= 0 || height <= 0) {
        stbi_image_free(decoded);
        return 0;
    }

    const bool withAlpha = HasAlpha(channels);
    const uint32_t pixelBytes = withAlpha ? 4 : 3;
    uint32_t rowBytes = 0;
    uint8_t** rows = AllocateRows(static_cast<uint32_t>(width), static_cast<uint32_t>(height), pixelBytes, &rowBytes);
    if (rows == nullptr) {
        stbi_image_free(decoded);
        return 0;
    }

    const uint8_t* in = decoded;
    for (int y = 0; y < height; ++y) {
        uint8_t* out = rows[y];
        for (int x = 0; x < width; ++x, in += channels, out += pixelBytes)
            ExpandPixel(in, channels, withAlpha, out);
    }
    stbi_image_free(decoded);

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
