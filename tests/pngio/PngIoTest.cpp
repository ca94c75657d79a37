// The pngio.dll stand-in, driven through its exports exactly as the program
// binds them: every PNG type expanded to 8-bit RGB or RGBA, damaged files
// refused with the record zeroed, and the PngSuite corpus decoded.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "TestFiles.h"
#include "TestPaths.h"
#include "TestPng.h"
#include "platform/pngio/PngIoLibrary.h"
#include "vessa/System/ProcAddress.h"

namespace {

class PngIo {
public:
    PngIo()
    {
        m_module = LoadLibraryA(zxtest::JoinPath(zxtest::DistDir(), kPngIoLibraryName).c_str());
        if (m_module == nullptr)
            return;
        read = vessa::GetProcAddressAs<ReadPngExFunction>(m_module, kReadPngExName);
        free = vessa::GetProcAddressAs<FreePngDataFunction>(m_module, kFreePngDataName);
        write = vessa::GetProcAddressAs<WritePngExFunction>(m_module, kWritePngExName);
        allocate = vessa::GetProcAddressAs<AllocatePngDataFunction>(m_module, kAllocatePngDataName);
    }
    ~PngIo()
    {
        if (m_module != nullptr)
            FreeLibrary(m_module);
    }
    HMODULE Module() const { return m_module; }

    ReadPngExFunction read = nullptr;
    FreePngDataFunction free = nullptr;
    WritePngExFunction write = nullptr;
    AllocatePngDataFunction allocate = nullptr;

private:
    HMODULE m_module = nullptr;
};

PngIo& Library()
{
    static PngIo library;
    return library;
}

// Feeds the decoder from memory, at most `chunk` bytes per call.
struct MemorySource {
    const std::string* bytes;
    size_t offset;
    UINT chunk;
    UINT extraClaim;  // bytes a misbehaving callback claims on top of what it read
};

UINT WINAPI ReadFromMemory(void* user, void* buffer, UINT count)
{
    auto* source = static_cast<MemorySource*>(user);
    size_t left = source->bytes->size() - source->offset;
    UINT take = static_cast<UINT>(std::min<size_t>({left, count, source->chunk}));
    std::memcpy(buffer, source->bytes->data() + source->offset, take);
    source->offset += take;
    return take == 0 ? 0 : take + source->extraClaim;
}

bool IsAllZero(const PngInfo& info)
{
    static const PngInfo zero{};
    return std::memcmp(&info, &zero, sizeof info) == 0;
}

struct Decoded {
    bool ok = false;
    PngInfo info{};
    std::vector<uint8_t> pixels;  // all rows, row after row
};

Decoded Decode(const std::string& bytes, UINT chunk = 0xFFFFFFFFu, UINT extraClaim = 0)
{
    Decoded result;
    std::memset(&result.info, 0xCD, sizeof result.info);  // must be overwritten on every path
    MemorySource source{&bytes, 0, chunk, extraClaim};
    result.ok = Library().read(&result.info, ReadFromMemory, &source) != 0;
    if (result.ok) {
        for (uint32_t y = 0; y < result.info.height; ++y)
            result.pixels.insert(result.pixels.end(), result.info.rows[y], result.info.rows[y] + result.info.rowBytes);
        PngInfo freed = result.info;
        Library().free(&freed);
        EXPECT_TRUE(IsAllZero(freed));
        result.info.rows = nullptr;  // gone with the free; the other fields stay for the checks
    }
    return result;
}

const auto Image = zxtest::MakePngImage;

zxtest::PngImage WithPalette(zxtest::PngImage image, std::vector<uint8_t> palette, std::vector<uint8_t> trns = {})
{
    image.palette = std::move(palette);
    image.trns = std::move(trns);
    return image;
}

zxtest::PngImage WithTrns(zxtest::PngImage image, std::vector<uint8_t> trns)
{
    image.trns = std::move(trns);
    return image;
}

class PngIoTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Library().Module(), nullptr) << "pngio.dll is not in the program folder";
        ASSERT_NE(Library().read, nullptr);
        ASSERT_NE(Library().free, nullptr);
    }
};

}  // namespace

TEST_F(PngIoTest, ExportsTheFourEntryPointsUndecorated)
{
    EXPECT_NE(Library().write, nullptr);
    EXPECT_NE(Library().allocate, nullptr);
    EXPECT_EQ(GetProcAddress(Library().Module(), "ReadPngEx@12"), nullptr);
    EXPECT_EQ(GetProcAddress(Library().Module(), "_ReadPngEx@12"), nullptr);

    PngInfo info{};
    EXPECT_EQ(Library().write(&info, nullptr, nullptr), 0);
    EXPECT_EQ(Library().allocate(&info), 0);
    EXPECT_TRUE(IsAllZero(info));
}

struct DecodeCase {
    const char* name;
    zxtest::PngImage image;
    uint32_t colorType;
    std::vector<uint8_t> pixels;
};

TEST_F(PngIoTest, ExpandsEveryColourTypeToEightBitRgbOrRgba)
{
    const std::vector<uint8_t> rgbPalette{255, 0, 0, 0, 255, 0, 0, 0, 255};
    const DecodeCase cases[] = {
        {"RGBA keeps straight alpha and the colour of alpha-0 pixels",
         Image(2, 1, 6, 8, {10, 20, 30, 0, 200, 100, 50, 128}),
         6,
         {10, 20, 30, 0, 200, 100, 50, 128}},
        {"RGB", Image(2, 1, 2, 8, {1, 2, 3, 250, 251, 252}), 2, {1, 2, 3, 250, 251, 252}},
        {"grey 8", Image(2, 1, 0, 8, {0, 77}), 2, {0, 0, 0, 77, 77, 77}},
        {"grey 4 is scaled to 8 bits", Image(3, 1, 0, 4, {0, 8, 15}), 2, {0, 0, 0, 136, 136, 136, 255, 255, 255}},
        {"grey 1", Image(2, 1, 0, 1, {1, 0}), 2, {255, 255, 255, 0, 0, 0}},
        {"grey + alpha", Image(2, 1, 4, 8, {90, 255, 10, 0}), 6, {90, 90, 90, 255, 10, 10, 10, 0}},
        {"grey + tRNS has alpha", WithTrns(Image(2, 1, 0, 8, {77, 78}), {0, 77}), 6, {77, 77, 77, 0, 78, 78, 78, 255}},
        {"RGB + tRNS has alpha",
         WithTrns(Image(2, 1, 2, 8, {1, 2, 3, 1, 2, 4}), {0, 1, 0, 2, 0, 3}),
         6,
         {1, 2, 3, 0, 1, 2, 4, 255}},
        {"palette", WithPalette(Image(3, 1, 3, 8, {2, 0, 1}), rgbPalette), 2, {0, 0, 255, 255, 0, 0, 0, 255, 0}},
        {"palette 2-bit", WithPalette(Image(3, 1, 3, 2, {2, 0, 1}), rgbPalette), 2, {0, 0, 255, 255, 0, 0, 0, 255, 0}},
        {"palette + tRNS shorter than the palette",
         WithPalette(Image(3, 1, 3, 8, {0, 1, 2}), rgbPalette, {0, 128}),
         6,
         {255, 0, 0, 0, 0, 255, 0, 128, 0, 0, 255, 255}},
        {"RGB 16 keeps the high bytes", Image(1, 1, 2, 16, {0x1234, 0xABCD, 0xFFFF}), 2, {0x12, 0xAB, 0xFF}},
        {"RGBA 16", Image(1, 1, 6, 16, {0x0102, 0x0304, 0x0506, 0x80FF}), 6, {0x01, 0x03, 0x05, 0x80}},
        {"grey 16", Image(2, 1, 0, 16, {0x00FF, 0xFF00}), 2, {0, 0, 0, 255, 255, 255}},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        Decoded decoded = Decode(zxtest::EncodePng(c.image));
        ASSERT_TRUE(decoded.ok);
        EXPECT_EQ(decoded.info.width, static_cast<uint32_t>(c.image.width));
        EXPECT_EQ(decoded.info.height, static_cast<uint32_t>(c.image.height));
        EXPECT_EQ(decoded.info.colorType, c.colorType);
        EXPECT_EQ(decoded.info.bitDepth, 8u);
        EXPECT_EQ(decoded.info.rowBytes, static_cast<uint32_t>(c.image.width) * (c.colorType == 6 ? 4 : 3));
        EXPECT_EQ(decoded.pixels, c.pixels);
    }
}

TEST_F(PngIoTest, InterlacedImageDecodesLikeTheSameImageWithoutInterlace)
{
    // 11 × 9 reaches every Adam7 pass, including partial blocks at the edges.
    zxtest::PngImage image = Image(11, 9, 6, 8, {});
    for (int i = 0; i < 11 * 9; ++i)
        for (int c = 0; c < 4; ++c)
            image.samples.push_back(static_cast<uint16_t>((i * 7 + c * 61) & 0xFF));
    Decoded plain = Decode(zxtest::EncodePng(image));
    image.interlaced = true;
    Decoded interlaced = Decode(zxtest::EncodePng(image));
    ASSERT_TRUE(plain.ok);
    ASSERT_TRUE(interlaced.ok);
    EXPECT_EQ(interlaced.pixels, plain.pixels);
    EXPECT_EQ(std::vector<uint8_t>(plain.pixels.begin(), plain.pixels.begin() + 4),
              (std::vector<uint8_t>{0, 61, 122, 183}));
}

TEST_F(PngIoTest, ReadsThroughCallbacksThatDeliverLittleOrClaimTooMuch)
{
    std::string file = zxtest::EncodePng(Image(2, 2, 2, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    Decoded byteByByte = Decode(file, 1);
    ASSERT_TRUE(byteByByte.ok);
    EXPECT_EQ(byteByByte.pixels, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));

    // A callback that reports more than it was asked for must not make the
    // decoder read past its buffer; the result is a clean success or failure.
    Decoded lying = Decode(file, 7, 100000);
    if (!lying.ok) {
        EXPECT_TRUE(IsAllZero(lying.info));
    }
}

TEST_F(PngIoTest, RefusesDamagedFilesAndZeroesTheRecord)
{
    const std::string good = zxtest::EncodePng(Image(4, 4, 2, 8, std::vector<uint16_t>(48, 9)));
    auto patched = [&](size_t offset, char value) {
        std::string bytes = good;
        bytes[offset] = value;
        return bytes;
    };
    std::string shortData = zxtest::PngSignature();
    {
        std::string header = good.substr(zxtest::kPngIhdrBodyOffset, 13);
        zxtest::PngImage half = Image(4, 2, 2, 8, std::vector<uint16_t>(24, 9));
        std::string halfFile = zxtest::EncodePng(half);
        // IHDR of the 4 × 4 image, then the data of only two rows.
        shortData += zxtest::PngChunk("IHDR", header) + halfFile.substr(8 + 25);
    }
    struct FailCase {
        const char* name;
        std::string bytes;
    };
    const FailCase cases[] = {
        {"empty", ""},
        {"signature only", zxtest::PngSignature()},
        {"bad signature", patched(0, 'X')},
        {"cut after the header", good.substr(0, 8 + 25)},
        {"cut inside the image data", good.substr(0, good.size() - 30)},
        {"damaged zlib header", patched(8 + 25 + 8, 0x00)},
        {"fewer rows than the header says", shortData},
        {"zero width", zxtest::EncodePng(Image(0, 1, 0, 8, {}))},
        {"zero height", zxtest::EncodePng(Image(1, 0, 0, 8, {}))},
        {"wider than 16384", zxtest::EncodePng(Image(16385, 1, 0, 8, std::vector<uint16_t>(16385, 0)))},
        {"taller than 16384", zxtest::EncodePng(Image(1, 16385, 0, 8, std::vector<uint16_t>(16385, 0)))},
        {"palette image without a palette", zxtest::EncodePng(Image(1, 1, 3, 8, {0}))},
        {"RGBA row with an unknown filter", [] {
             zxtest::PngImage image = Image(2, 2, 6, 8, std::vector<uint16_t>(16, 7));
             image.rowFilters = {0, 5};
             return zxtest::EncodePng(image);
         }()},
        {"RGBA image cut inside its data", [] {
             std::string bytes = zxtest::EncodePng(Image(8, 8, 6, 8, std::vector<uint16_t>(256, 7)));
             return bytes.substr(0, bytes.size() - 40);
         }()},
        {"RGBA image with a tRNS chunk", zxtest::EncodePng(WithTrns(Image(1, 1, 6, 8, {1, 2, 3, 4}), {0, 1}))},
        {"width of 2^31", [&] {
             std::string bytes = good;
             bytes.replace(zxtest::kPngIhdrBodyOffset, 4, std::string("\x80\0\0\0", 4));
             return bytes;
         }()},
    };
    for (const FailCase& c : cases) {
        SCOPED_TRACE(c.name);
        Decoded decoded = Decode(c.bytes);
        EXPECT_FALSE(decoded.ok);
        EXPECT_TRUE(IsAllZero(decoded.info));
    }

    PngInfo info;
    EXPECT_EQ(Library().read(&info, nullptr, nullptr), 0);
    EXPECT_TRUE(IsAllZero(info));
    EXPECT_EQ(Library().read(nullptr, ReadFromMemory, nullptr), 0);
    Library().free(nullptr);
    Library().free(&info);  // a zeroed record frees nothing
}

// Every row filter, in every row position (the first row has no row above
// it), for the skins' own 8-bit RGBA and for RGB.
TEST_F(PngIoTest, FilteredRowsDecodeToTheirPixels)
{
    for (int colorType : {6, 2}) {
        const int channels = zxtest::PngChannels(colorType);
        const int width = 5, height = 6;
        std::vector<uint16_t> samples(static_cast<size_t>(width) * height * channels);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<uint16_t>((i * 97 + i / 7 * 31 + 11) % 256);
        for (int firstFilter = 0; firstFilter < 5; ++firstFilter) {
            SCOPED_TRACE("colour type " + std::to_string(colorType) + ", first row filter " +
                         std::to_string(firstFilter));
            zxtest::PngImage image = Image(width, height, colorType, 8, samples);
            for (int row = 0; row < height; ++row)
                image.rowFilters.push_back((firstFilter + row) % 5);
            Decoded decoded = Decode(zxtest::EncodePng(image));
            ASSERT_TRUE(decoded.ok);
            ASSERT_EQ(decoded.info.rowBytes, static_cast<uint32_t>(width * channels));
            EXPECT_EQ(decoded.pixels, std::vector<uint8_t>(samples.begin(), samples.end()));
        }
    }
}

TEST_F(PngIoTest, AcceptsTheLargestWidth)
{
    Decoded decoded = Decode(zxtest::EncodePng(Image(16384, 1, 0, 8, std::vector<uint16_t>(16384, 200))));
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.info.width, 16384u);
    EXPECT_EQ(decoded.pixels.size(), 16384u * 3);
    EXPECT_EQ(decoded.pixels.back(), 200);
}

// The library keeps the memory of large pictures for the next ones: a
// picture decoded after larger, smaller or broken ones is still exactly its
// own, to the last pixel.
TEST_F(PngIoTest, LargePicturesInTurnEachDecodeToTheirOwnPixels)
{
    struct Picture {
        int width, height, colorType, channels;
    } pictures[] = {{400, 300, 6, 4}, {700, 500, 2, 3}, {300, 300, 6, 4}};
    std::vector<std::string> files;
    std::vector<std::vector<uint8_t>> expected;
    for (const Picture& p : pictures) {
        std::vector<uint16_t> samples(static_cast<size_t>(p.width) * p.height * p.channels);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<uint16_t>((i * 7 + p.width) % 251);
        files.push_back(zxtest::EncodePng(Image(p.width, p.height, p.colorType, 8, samples)));
        expected.emplace_back(samples.begin(), samples.end());
    }
    std::string broken = files[1];
    broken.resize(broken.size() / 2);
    const int order[] = {0, 1, 2, -1, 0, 2, 1, -1, 1, 0};
    for (int which : order) {
        SCOPED_TRACE(which);
        Decoded decoded = Decode(which < 0 ? broken : files[static_cast<size_t>(which)]);
        if (which < 0) {
            EXPECT_FALSE(decoded.ok);
            continue;
        }
        ASSERT_TRUE(decoded.ok);
        EXPECT_TRUE(decoded.pixels == expected[static_cast<size_t>(which)]);
    }
}

// ---- The PngSuite corpus (shared test data, not part of the project) ----

namespace {

std::string CorpusDir()
{
    return zxtest::JoinPath(zxtest::SharedTestDataDir(), "pngsuite");
}

// What the file itself says: alpha channel or tRNS chunk.
bool FileHasAlpha(const std::string& bytes)
{
    int colorType = static_cast<unsigned char>(bytes[zxtest::kPngIhdrBodyOffset + 9]);
    return colorType == 4 || colorType == 6 || bytes.find("tRNS") != std::string::npos;
}

std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(zxtest::JoinPath(CorpusDir(), "*.png").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

}  // namespace

TEST_F(PngIoTest, DecodesThePngSuiteCorpus)
{
    std::vector<std::string> names = CorpusFiles();
    if (names.empty())
        GTEST_SKIP() << "no PngSuite corpus at " << CorpusDir();
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::string bytes = zxtest::ReadWholeFile(zxtest::JoinPath(CorpusDir(), name));
        Decoded decoded = Decode(bytes);
        ASSERT_TRUE(decoded.ok);
        EXPECT_EQ(decoded.info.width, 32u);
        EXPECT_EQ(decoded.info.height, 32u);
        EXPECT_EQ(decoded.info.colorType, FileHasAlpha(bytes) ? kPngColorTypeRgba : kPngColorTypeRgb);
        // Every "i" file is the interlaced twin of the file without the prefix.
        if (name[0] == 'i') {
            Decoded twin = Decode(zxtest::ReadWholeFile(zxtest::JoinPath(CorpusDir(), name.substr(1))));
            ASSERT_TRUE(twin.ok);
            EXPECT_EQ(decoded.pixels, twin.pixels);
        }
    }
}

TEST_F(PngIoTest, CorpusPixelsMatchTheirKnownValues)
{
    if (CorpusFiles().empty())
        GTEST_SKIP() << "no PngSuite corpus at " << CorpusDir();
    struct Probe {
        const char* file;
        int x, y;
        std::vector<uint8_t> pixel;  // R, G, B[, A]
    };
    const Probe probes[] = {
        {"basn0g01.png", 0, 0, {255, 255, 255}},     {"basn0g01.png", 31, 31, {0, 0, 0}},
        {"basn0g02.png", 31, 31, {170, 170, 170}},   {"basn0g04.png", 31, 31, {238, 238, 238}},
        {"basn0g16.png", 5, 9, {63, 63, 63}},        {"basn2c16.png", 0, 0, {255, 255, 0}},
        {"basn3p01.png", 0, 0, {238, 255, 34}},      {"basn3p04.png", 31, 31, {255, 0, 187}},
        {"basn3p08.png", 31, 31, {255, 254, 255}},   {"basn4a08.png", 5, 9, {180, 180, 180, 41}},
        {"basn4a16.png", 5, 9, {97, 97, 97, 82}},    {"basn6a08.png", 0, 0, {255, 0, 8, 0}},
        {"basn6a08.png", 31, 31, {0, 32, 255, 255}}, {"ftbwn0g16.png", 0, 0, {255, 255, 255, 0}},
        {"ftbbn3p08.png", 0, 0, {255, 255, 255, 0}}, {"ftp0n3p08.png", 0, 0, {127, 127, 127}},
    };
    for (const Probe& probe : probes) {
        SCOPED_TRACE(std::string(probe.file) + " at " + std::to_string(probe.x) + "," + std::to_string(probe.y));
        Decoded decoded = Decode(zxtest::ReadWholeFile(zxtest::JoinPath(CorpusDir(), probe.file)));
        ASSERT_TRUE(decoded.ok);
        size_t pixelBytes = decoded.info.colorType == kPngColorTypeRgba ? 4 : 3;
        ASSERT_EQ(pixelBytes, probe.pixel.size());
        size_t at = probe.y * decoded.info.rowBytes + probe.x * pixelBytes;
        EXPECT_EQ(std::vector<uint8_t>(decoded.pixels.begin() + at, decoded.pixels.begin() + at + pixelBytes),
                  probe.pixel);
    }
}
