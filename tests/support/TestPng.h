#pragma once
// A small PNG writer for test fixtures: every colour type, bit depths 1-16,
// palettes, tRNS and Adam7 interlace, with the image data in stored
// (uncompressed) deflate blocks. Tests build exactly the file they need and
// know every pixel of it.

#include <cstdint>
#include <string>
#include <vector>

namespace zxtest {

struct PngImage {
    int width = 0;
    int height = 0;
    int colorType = 6;  // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
    int bitDepth = 8;   // 1, 2, 4, 8 or 16 as the colour type allows
    bool interlaced = false;
    // width × height × channels samples, top row first, each in 0 .. 2^bitDepth − 1
    // (palette indexes for colour type 3).
    std::vector<uint16_t> samples;
    std::vector<uint8_t> palette;  // R, G, B triples (colour type 3)
    std::vector<uint8_t> trns;     // the tRNS chunk's body, written when not empty
    // Filter type of each row of a non-interlaced image, taken in turn (row y
    // gets rowFilters[y % size]); none: every row unfiltered. Types above 4
    // are written as they are, for damaged files.
    std::vector<int> rowFilters;
};

int PngChannels(int colorType);

// An image of the given kind holding `samples`.
PngImage MakePngImage(int width, int height, int colorType, int bitDepth, std::vector<uint16_t> samples);

// The whole file.
std::string EncodePng(const PngImage& image);
bool WritePngFile(const std::string& path, const PngImage& image);

// Chunk-level pieces, for building damaged files.
std::string PngSignature();
std::string PngChunk(const char type[4], const std::string& body);
uint32_t PngCrc32(const std::string& bytes);

// Offsets into the file EncodePng writes.
constexpr size_t kPngIhdrBodyOffset = 16;  // width, height, depth, colour type, ...

}  // namespace zxtest
