#include "platform/pngio/PlainRgba.h"

#include <cstdlib>
#include <cstring>

#include "BlockPool.h"
#include "StbConfig.h"
#define STBI_NO_STDIO
#include <stb_image.h>

namespace pngio {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t kPixelBytes = 4;

uint32_t BigEndian(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

bool IsChunk(const uint8_t* type, const char* name)
{
    return std::memcmp(type, name, 4) == 0;
}

// Walks the chunks after the signature; `visit(type, data, length)` returns
// false to stop. False when a chunk runs past the end of the file.
template <class Visit>
bool WalkChunks(const uint8_t* file, size_t size, Visit visit)
{
    size_t at = sizeof kSignature;
    while (at + 8 <= size) {
        const uint32_t length = BigEndian(file + at);
        const uint8_t* type = file + at + 4;
        if (length > size - at - 8 || size - at - 8 - length < 4)  // data and CRC
            return false;
        if (!visit(type, file + at + 8, length))
            return true;
        at += 12 + size_t(length);
    }
    return false;  // no IEND
}

uint8_t Paeth(int left, int up, int upLeft)
{
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return uint8_t(left);
    return uint8_t(toUp <= toUpLeft ? up : upLeft);
}

// One row: `in` is the filtered row (without its filter byte), `above` the
// row decoded before it (zeros for the first).
bool Unfilter(int filter, const uint8_t* in, const uint8_t* above, uint8_t* out, size_t bytes)
{
    switch (filter) {
    case 0:
        std::memcpy(out, in, bytes);
        return true;
    case 1:
        for (size_t i = 0; i < kPixelBytes && i < bytes; ++i)
            out[i] = in[i];
        for (size_t i = kPixelBytes; i < bytes; ++i)
            out[i] = uint8_t(in[i] + out[i - kPixelBytes]);
        return true;
    case 2:
        for (size_t i = 0; i < bytes; ++i)
            out[i] = uint8_t(in[i] + above[i]);
        return true;
    case 3:
        for (size_t i = 0; i < kPixelBytes && i < bytes; ++i)
            out[i] = uint8_t(in[i] + (above[i] >> 1));
        for (size_t i = kPixelBytes; i < bytes; ++i)
            out[i] = uint8_t(in[i] + ((out[i - kPixelBytes] + above[i]) >> 1));
        return true;
    case 4:
        for (size_t i = 0; i < kPixelBytes && i < bytes; ++i)
            out[i] = uint8_t(in[i] + above[i]);  // Paeth of (0, up, 0) is up
        for (size_t i = kPixelBytes; i < bytes; ++i)
            out[i] = uint8_t(in[i] + Paeth(out[i - kPixelBytes], above[i], above[i - kPixelBytes]));
        return true;
    default:
        return false;
    }
}

}  // namespace

bool IsPlainRgba(const uint8_t* file, size_t size, PlainRgbaHeader& header)
{
    if (size < sizeof kSignature + 25 || std::memcmp(file, kSignature, sizeof kSignature) != 0)
        return false;
    const uint8_t* ihdr = file + sizeof kSignature;
    if (BigEndian(ihdr) != 13 || !IsChunk(ihdr + 4, "IHDR"))
        return false;
    const uint8_t* fields = ihdr + 8;
    const uint32_t width = BigEndian(fields);
    const uint32_t height = BigEndian(fields + 4);
    const bool plain = fields[8] == 8 && fields[9] == 6 && fields[10] == 0 && fields[11] == 0 && fields[12] == 0;
    if (!plain || width == 0 || height == 0 || width > PNGIO_MAX_DIMENSION || height > PNGIO_MAX_DIMENSION)
        return false;
    bool seenHeader = false, seenData = false, usual = true;
    const bool complete = WalkChunks(file, size, [&](const uint8_t* type, const uint8_t*, uint32_t) {
        if (!seenHeader) {
            seenHeader = true;  // the IHDR checked above
            return true;
        }
        if (IsChunk(type, "IEND"))
            return false;
        if (IsChunk(type, "IDAT")) {
            seenData = true;
            return true;
        }
        // Ancillary chunks (lower-case first letter) are skipped; tRNS and
        // every other critical chunk (a second IHDR, PLTE, ...) go to the
        // general decoder.
        usual = !IsChunk(type, "tRNS") && (type[0] & 0x20) != 0;
        return usual;
    });
    if (!complete || !seenData || !usual)
        return false;
    header.width = width;
    header.height = height;
    return true;
}

bool DecodePlainRgba(const uint8_t* file, size_t size, const PlainRgbaHeader& header, uint8_t** rows)
{
    // The image data of every IDAT chunk, in order (the library takes no
    // C++ containers: they would bring the C++ runtime into the DLL).
    size_t compressedSize = 0;
    WalkChunks(file, size, [&](const uint8_t* type, const uint8_t*, uint32_t length) {
        if (IsChunk(type, "IEND"))
            return false;
        if (IsChunk(type, "IDAT"))
            compressedSize += length;
        return true;
    });
    const size_t rowBytes = size_t(header.width) * kPixelBytes;
    const size_t expected = (rowBytes + 1) * header.height;
    if (compressedSize > size_t(INT32_MAX) || expected > size_t(INT32_MAX))
        return false;
    auto* compressed = static_cast<uint8_t*>(PoolAllocate(compressedSize ? compressedSize : 1));
    auto* noRow = static_cast<uint8_t*>(std::calloc(rowBytes, 1));
    bool ok = compressed != nullptr && noRow != nullptr;
    if (ok) {
        size_t at = 0;
        WalkChunks(file, size, [&](const uint8_t* type, const uint8_t* data, uint32_t length) {
            if (IsChunk(type, "IEND"))
                return false;
            if (IsChunk(type, "IDAT")) {
                std::memcpy(compressed + at, data, length);
                at += length;
            }
            return true;
        });
    }
    int inflatedSize = 0;
    char* inflated =
        ok ? stbi_zlib_decode_malloc_guesssize_headerflag(reinterpret_cast<const char*>(compressed),
                                                          int(compressedSize), int(expected), &inflatedSize, 1)
           : nullptr;
    ok = inflated != nullptr && size_t(inflatedSize) >= expected;
    const uint8_t* in = reinterpret_cast<const uint8_t*>(inflated);
    for (uint32_t y = 0; ok && y < header.height; ++y, in += rowBytes + 1)
        ok = Unfilter(in[0], in + 1, y == 0 ? noRow : rows[y - 1], rows[y], rowBytes);
    // The decoder's blocks come from the pool.
    PoolFree(inflated);
    PoolFree(compressed);
    std::free(noRow);
    return ok;
}

}  // namespace pngio
