#pragma once
// The skins' own kind of PNG, decoded without the general decoder: 8 bits
// per sample, colour type 6 (R, G, B, A), not interlaced. Rows are
// unfiltered straight into the caller's rows, with no intermediate image and
// no per-pixel conversion. Anything else, or anything unusual in such a file
// (an unknown critical chunk, a tRNS chunk, a size over the limit), is left
// to the general decoder, which then gives the answer it always gave.

#include <cstddef>
#include <cstdint>

namespace pngio {

struct PlainRgbaHeader {
    uint32_t width = 0;
    uint32_t height = 0;
};

// True when `file` (the whole file) is of that kind; then `header` holds its
// size.
bool IsPlainRgba(const uint8_t* file, size_t size, PlainRgbaHeader& header);

// Decodes a file that IsPlainRgba accepted into `rows` (height rows of
// width * 4 bytes). False when the data is broken (bad compressed stream,
// too few bytes, an unknown filter); the rows are then undefined.
bool DecodePlainRgba(const uint8_t* file, size_t size, const PlainRgbaHeader& header, uint8_t** rows);

}  // namespace pngio
