#include "TestPng.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "TestFiles.h"

namespace zxtest {

namespace {

void PutBigEndian32(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

uint32_t Adler32(const std::string& bytes)
{
    uint32_t a = 1, b = 0;
    for (unsigned char c : bytes) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// A zlib stream of stored blocks: no compression, so the writer stays tiny.
std::string ZlibStored(const std::string& data)
{
    std::string out("\x78\x01", 2);
    size_t offset = 0;
    do {
        size_t length = std::min<size_t>(data.size() - offset, 65535);
        bool last = offset + length == data.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<char>(length & 0xFF));
        out.push_back(static_cast<char>(length >> 8));
        out.push_back(static_cast<char>(~length & 0xFF));
        out.push_back(static_cast<char>((~length >> 8) & 0xFF));
        out.append(data, offset, length);
        offset += length;
    } while (offset < data.size());
    PutBigEndian32(out, Adler32(data));
    return out;
}

// Bytes of one row of `count` pixels starting at `first`, every `step`th
// pixel of row `y`, packed as the bit depth says, after the filter byte 0.
std::string PackRow(const PngImage& image, int y, int first, int step, int count)
{
    const int channels = PngChannels(image.colorType);
    std::string row(1, '\0');
    uint32_t bits = 0;
    int bitCount = 0;
    for (int i = 0; i < count; ++i) {
        size_t base = (static_cast<size_t>(y) * image.width + first + i * step) * channels;
        for (int c = 0; c < channels; ++c) {
            uint16_t sample = image.samples[base + c];
            if (image.bitDepth == 16) {
                row.push_back(static_cast<char>(sample >> 8));
                row.push_back(static_cast<char>(sample & 0xFF));
                continue;
            }
            bits = (bits << image.bitDepth) | sample;
            bitCount += image.bitDepth;
            if (bitCount == 8) {
                row.push_back(static_cast<char>(bits));
                bits = 0;
                bitCount = 0;
            }
        }
    }
    if (bitCount > 0)
        row.push_back(static_cast<char>(bits << (8 - bitCount)));
    return row;
}

uint8_t PaethPredictor(int left, int up, int upLeft)
{
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left), toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return static_cast<uint8_t>(left);
    return static_cast<uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

// Filters a packed row (filter byte first) against the row above it, as
// the format defines the five types; `pixelBytes` is the byte distance to
// the pixel on the left (at least 1).
std::string FilterRow(const std::string& row, const std::string& above, int filter, int pixelBytes)
{
    std::string out = row;
    out[0] = static_cast<char>(filter);
    for (size_t i = 1; i < row.size(); ++i) {
        const int raw = static_cast<uint8_t>(row[i]);
        const int left = i > static_cast<size_t>(pixelBytes) ? static_cast<uint8_t>(row[i - pixelBytes]) : 0;
        const int up = above.empty() ? 0 : static_cast<uint8_t>(above[i]);
        const int upLeft =
            above.empty() || i <= static_cast<size_t>(pixelBytes) ? 0 : static_cast<uint8_t>(above[i - pixelBytes]);
        int predicted = 0;
        switch (filter) {
        case 1:
            predicted = left;
            break;
        case 2:
            predicted = up;
            break;
        case 3:
            predicted = (left + up) / 2;
            break;
        case 4:
            predicted = PaethPredictor(left, up, upLeft);
            break;
        default:
            break;
        }
        out[i] = static_cast<char>(raw - predicted);
    }
    return out;
}

std::string RawImageData(const PngImage& image)
{
    std::string raw;
    if (!image.interlaced) {
        const int bits = PngChannels(image.colorType) * image.bitDepth;
        const int pixelBytes = std::max(1, bits / 8);
        std::string above;
        for (int y = 0; y < image.height; ++y) {
            const std::string row = PackRow(image, y, 0, 1, image.width);
            const int filter = image.rowFilters.empty() ? 0 : image.rowFilters[y % image.rowFilters.size()];
            raw += filter == 0 ? row : FilterRow(row, above, filter, pixelBytes);
            above = row;
        }
        return raw;
    }
    // Adam7: seven reduced images, each row filtered on its own.
    static const int kStart[7][2] = {{0, 0}, {4, 0}, {0, 4}, {2, 0}, {0, 2}, {1, 0}, {0, 1}};
    static const int kStep[7][2] = {{8, 8}, {8, 8}, {4, 8}, {4, 4}, {2, 4}, {2, 2}, {1, 2}};
    for (int pass = 0; pass < 7; ++pass) {
        int x0 = kStart[pass][0], y0 = kStart[pass][1];
        int dx = kStep[pass][0], dy = kStep[pass][1];
        int count = image.width > x0 ? (image.width - x0 + dx - 1) / dx : 0;
        if (count == 0)
            continue;
        for (int y = y0; y < image.height; y += dy)
            raw += PackRow(image, y, x0, dx, count);
    }
    return raw;
}

}  // namespace

int PngChannels(int colorType)
{
    switch (colorType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;  // grey, palette
    }
}

uint32_t PngCrc32(const std::string& bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

std::string PngSignature()
{
    return std::string("\x89PNG\r\n\x1a\n", 8);
}

std::string PngChunk(const char type[4], const std::string& body)
{
    std::string chunk;
    PutBigEndian32(chunk, static_cast<uint32_t>(body.size()));
    std::string typed = std::string(type, 4) + body;
    chunk += typed;
    PutBigEndian32(chunk, PngCrc32(typed));
    return chunk;
}

std::string EncodePng(const PngImage& image)
{
    std::string header;
    PutBigEndian32(header, static_cast<uint32_t>(image.width));
    PutBigEndian32(header, static_cast<uint32_t>(image.height));
    header.push_back(static_cast<char>(image.bitDepth));
    header.push_back(static_cast<char>(image.colorType));
    header.push_back(0);  // deflate
    header.push_back(0);  // adaptive filtering
    header.push_back(image.interlaced ? 1 : 0);

    std::string file = PngSignature() + PngChunk("IHDR", header);
    if (!image.palette.empty())
        file += PngChunk("PLTE", std::string(image.palette.begin(), image.palette.end()));
    if (!image.trns.empty())
        file += PngChunk("tRNS", std::string(image.trns.begin(), image.trns.end()));
    file += PngChunk("IDAT", ZlibStored(RawImageData(image)));
    file += PngChunk("IEND", "");
    return file;
}

bool WritePngFile(const std::string& path, const PngImage& image)
{
    return WriteWholeFile(path, EncodePng(image));
}

PngImage MakePngImage(int width, int height, int colorType, int bitDepth, std::vector<uint16_t> samples)
{
    PngImage image;
    image.width = width;
    image.height = height;
    image.colorType = colorType;
    image.bitDepth = bitDepth;
    image.samples = std::move(samples);
    return image;
}

}  // namespace zxtest
