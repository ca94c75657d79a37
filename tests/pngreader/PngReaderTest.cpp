// PNG files into bitmaps of the form library: every PNG type lands as B, G,
// R (and A on 32-bit targets, straight, with fully transparent pixels
// black), damaged files leave the bitmap alone, and a missing library or
// entry point makes reading fail instead of crashing.

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "TestPaths.h"
#include "TestPng.h"
#include "vessa/skin/PngFileCache.h"
#include "vessa/skin/PngReader.h"
#include "platform/vcl/SysUtils.h"

namespace {

using Pixel = std::array<int, 4>;  // B, G, R, A (A -1 on 24-bit targets)

Pixel PixelAt(TBitmap& bitmap, int x, int y)
{
    const auto* row = static_cast<const unsigned char*>(bitmap.ScanLine(y));
    if (bitmap.PixelFormat() == pf32bit)
        return {row[x * 4], row[x * 4 + 1], row[x * 4 + 2], row[x * 4 + 3]};
    return {row[x * 3], row[x * 3 + 1], row[x * 3 + 2], -1};
}

TMemoryStream* StreamOf(const std::string& bytes)
{
    auto* stream = new TMemoryStream;
    stream->Write(bytes.data(), static_cast<long>(bytes.size()));
    stream->SetPosition(0);
    return stream;
}

std::string LibraryInDist()
{
    return zxtest::JoinPath(zxtest::DistDir(), kPngIoLibraryName);
}

// Reads `bytes` into a fresh bitmap of `format`.
struct ReadResult {
    bool ok;
    std::unique_ptr<TBitmap> bitmap;
};

ReadResult ReadInto(PngManager& manager, const std::string& bytes, TPixelFormat format)
{
    ReadResult result{false, std::make_unique<TBitmap>()};
    result.bitmap->SetPixelFormat(format);
    std::unique_ptr<TMemoryStream> stream(StreamOf(bytes));
    result.ok = manager.Read(stream.get(), result.bitmap.get());
    return result;
}

const auto Image = zxtest::MakePngImage;

struct DecodeCase {
    const char* name;
    zxtest::PngImage image;
    TPixelFormat target;
    std::vector<Pixel> expected;  // left to right, top to bottom
};

std::vector<DecodeCase> DecodeCases()
{
    zxtest::PngImage palette = Image(3, 1, 3, 8, {0, 1, 2});
    palette.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    palette.trns = {0, 128};  // entry 2 stays opaque
    zxtest::PngImage interlaced = Image(3, 3, 6, 8, {});
    for (int i = 0; i < 9; ++i)
        interlaced.samples.insert(interlaced.samples.end(),
                                  {uint16_t(i * 10), uint16_t(i * 20), uint16_t(i * 25), uint16_t(255 - i)});
    interlaced.interlaced = true;
    std::vector<Pixel> interlacedPixels;
    for (int i = 0; i < 9; ++i)
        interlacedPixels.push_back({i * 25, i * 20, i * 10, 255 - i});

    return {
        // Straight alpha is kept; only alpha 0 blackens the colour.
        {"rgba",
         Image(3, 1, 6, 8, {10, 20, 30, 0, 10, 20, 30, 128, 1, 2, 3, 255}),
         pf32bit,
         {{0, 0, 0, 0}, {30, 20, 10, 128}, {3, 2, 1, 255}}},
        {"rgb is opaque", Image(2, 1, 2, 8, {10, 20, 30, 0, 0, 0}), pf32bit, {{30, 20, 10, 255}, {0, 0, 0, 255}}},
        {"grey", Image(2, 1, 0, 8, {7, 200}), pf32bit, {{7, 7, 7, 255}, {200, 200, 200, 255}}},
        {"grey and alpha", Image(2, 1, 4, 8, {50, 0, 60, 70}), pf32bit, {{0, 0, 0, 0}, {60, 60, 60, 70}}},
        {"palette with tRNS", palette, pf32bit, {{0, 0, 0, 0}, {0, 255, 0, 128}, {255, 0, 0, 255}}},
        {"16-bit rgb keeps the high bytes",
         Image(1, 1, 2, 16, {0xAB12, 0x34FF, 0x0101}),
         pf32bit,
         {{0x01, 0x34, 0xAB, 255}}},
        {"interlaced", interlaced, pf32bit, interlacedPixels},
        // A 24-bit target gets no alpha byte, and transparent pixels keep their colour.
        {"rgba into 24-bit",
         Image(2, 1, 6, 8, {10, 20, 30, 0, 40, 50, 60, 255}),
         pf24bit,
         {{30, 20, 10, -1}, {60, 50, 40, -1}}},
        {"device format becomes 24-bit", Image(1, 1, 2, 8, {1, 2, 3}), pfDevice, {{3, 2, 1, -1}}},
    };
}

}  // namespace

TEST(PngReader, DecodesEveryKindIntoTheBitmap)
{
    PngManager manager(LibraryInDist());
    ASSERT_TRUE(manager.CanRead());
    for (const DecodeCase& c : DecodeCases()) {
        SCOPED_TRACE(c.name);
        ReadResult result = ReadInto(manager, zxtest::EncodePng(c.image), c.target);
        ASSERT_TRUE(result.ok);
        TBitmap& bitmap = *result.bitmap;
        EXPECT_EQ(bitmap.PixelFormat(), c.target == pf32bit ? pf32bit : pf24bit);
        ASSERT_EQ(bitmap.Width(), c.image.width);
        ASSERT_EQ(bitmap.Height(), c.image.height);
        for (int i = 0; i < c.image.width * c.image.height; ++i)
            EXPECT_EQ(PixelAt(bitmap, i % c.image.width, i / c.image.width), c.expected[i]) << "pixel " << i;
    }
}

TEST(PngReader, DamagedDataLeavesTheBitmapAsItWas)
{
    PngManager manager(LibraryInDist());
    const std::string good = zxtest::EncodePng(Image(2, 2, 2, 8, std::vector<uint16_t>(12, 9)));
    std::string wrongSignature = good;
    wrongSignature[1] = 'X';
    std::string hugeWidth = good;
    hugeWidth[zxtest::kPngIhdrBodyOffset] = 0x7F;
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"signature only", zxtest::PngSignature()},
        {"truncated", good.substr(0, good.size() / 2)},
        {"wrong signature", wrongSignature},
        {"absurd width", hugeWidth},
        {"not a png", std::string(200, 'a')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf32bit);
        bitmap.SetSize(1, 1);
        *static_cast<uint32_t*>(bitmap.ScanLine(0)) = 0x11223344;
        std::unique_ptr<TMemoryStream> stream(StreamOf(c.second));
        EXPECT_FALSE(manager.Read(stream.get(), &bitmap));
        EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
        EXPECT_EQ(bitmap.Width(), 1);
        EXPECT_EQ(*static_cast<uint32_t*>(bitmap.ScanLine(0)), 0x11223344u);
    }
}

TEST(PngReader, WithoutTheLibraryOrItsEntryPointsReadingFails)
{
    const std::string png = zxtest::EncodePng(Image(1, 1, 2, 8, {1, 2, 3}));
    const std::pair<const char*, std::string> cases[] = {
        {"missing library", zxtest::JoinPath(zxtest::TestDir(), "no-such-folder\\pngio.dll")},
        {"library without the entry points", "kernel32.dll"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        PngManager manager(c.second);
        EXPECT_FALSE(manager.CanRead());
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf24bit);
        std::unique_ptr<TMemoryStream> stream(StreamOf(png));
        EXPECT_FALSE(manager.Read(stream.get(), &bitmap));
        EXPECT_TRUE(bitmap.Empty());
        EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    }
}

TEST(PngReader, LoadPngFileMakesAnOpaque32BitBitmap)
{
    zxtest::TempFolder folder;
    const std::string file = folder.File("skin.png");
    ASSERT_TRUE(zxtest::WritePngFile(file, Image(2, 1, 2, 8, {10, 20, 30, 40, 50, 60})));
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    EXPECT_TRUE(LoadPngFile(file, &bitmap));
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), (Pixel{30, 20, 10, 255}));
    EXPECT_EQ(PixelAt(bitmap, 1, 0), (Pixel{60, 50, 40, 255}));
}

TEST(PngReader, LoadPngFileOfAMissingFileRaisesTheOpenError)
{
    zxtest::TempFolder folder;
    TBitmap bitmap;
    EXPECT_THROW(LoadPngFile(folder.File("missing.png"), &bitmap), EFOpenError);
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
}

// Each caller's policy for a file that is missing or no picture: raised
// with the file's name, or reported - false, the bitmap as it was, and the
// first such file kept for the program's start-up.
TEST(PngReader, AnUnreadableFileIsRaisedOrReportedByName)
{
    zxtest::TempFolder folder;
    const std::string good = folder.File("good.png");
    const std::string missing = folder.File("missing.png");
    const std::string broken = folder.File("broken.png");
    ASSERT_TRUE(zxtest::WritePngFile(good, Image(2, 1, 2, 8, {10, 20, 30, 40, 50, 60})));
    ASSERT_TRUE(zxtest::WriteWholeFile(broken, "no picture"));
    for (const std::string& file : {missing, broken}) {
        SCOPED_TRACE(file);
        TBitmap bitmap;
        try {
            LoadPngFile(file, &bitmap, UnreadableFile::Raise);
            ADD_FAILURE() << "nothing raised";
        } catch (const Exception& error) {
            EXPECT_NE(std::string::npos, error.Message().find(file)) << error.Message();
            EXPECT_EQ(file == missing, dynamic_cast<const EFOpenError*>(&error) != nullptr);
        }

        ForgetUnreadableFiles();
        ASSERT_TRUE(LoadPngFile(good, &bitmap, UnreadableFile::Report));
        EXPECT_EQ("", FirstUnreadableFile());
        EXPECT_FALSE(LoadPngFile(file, &bitmap, UnreadableFile::Report));
        EXPECT_EQ(2, bitmap.Width());  // as it was
        EXPECT_FALSE(LoadPngFile(missing == file ? broken : missing, &bitmap, UnreadableFile::Report));
        EXPECT_NE(std::string::npos, FirstUnreadableFile().find(file)) << FirstUnreadableFile();  // the first only
    }
    ForgetUnreadableFiles();
}

// A picture shown only later is sized from its header alone: a PNG file
// gives its size, anything else is handled by the caller's policy as a load
// would handle it, naming the file.
TEST(PngReader, ThePictureSizeComesFromTheHeaderAndBadFilesFailAsALoadWould)
{
    zxtest::TempFolder folder;
    const std::string good = folder.File("good.png");
    ASSERT_TRUE(zxtest::WritePngFile(good, Image(3, 2, 2, 8, std::vector<uint16_t>(18, 7))));
    std::string header;
    ASSERT_TRUE(zxtest::ReadWholeFile(good, header));
    struct Case {
        const char* name;
        const char* contents;  // null: no file
        size_t headerBytes;    // of the good file's, when contents is empty
        bool opens;
    };
    const Case cases[] = {
        {"missing.png", nullptr, 0, false},
        {"broken.png", "this is not a picture", 0, true},
        {"cut.png", "", 20, true},  // the header ends before the height
        {"empty.png", "", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = folder.File(c.name);
        if (c.contents != nullptr) {
            ASSERT_TRUE(zxtest::WriteWholeFile(file, c.headerBytes > 0 ? header.substr(0, c.headerBytes) : c.contents));
        }
        SIZE size{-1, -1};
        try {
            ReadPngFileSize(file, &size, UnreadableFile::Raise);
            ADD_FAILURE() << "nothing raised";
        } catch (const Exception& error) {
            EXPECT_NE(std::string::npos, error.Message().find(file)) << error.Message();
            EXPECT_EQ(!c.opens, dynamic_cast<const EFOpenError*>(&error) != nullptr);
        }
        ForgetUnreadableFiles();
        EXPECT_FALSE(ReadPngFileSize(file, &size, UnreadableFile::Report));
        EXPECT_EQ(-1, size.cx);
        EXPECT_NE(std::string::npos, FirstUnreadableFile().find(file)) << FirstUnreadableFile();
    }
    ForgetUnreadableFiles();
    SIZE size{};
    ASSERT_TRUE(ReadPngFileSize(good, &size, UnreadableFile::Raise));
    EXPECT_EQ(3, size.cx);
    EXPECT_EQ(2, size.cy);
    EXPECT_EQ("", FirstUnreadableFile());
}

// While a cache lives, a file whose size and time of last write are the same
// comes from memory; any other change, a deleted file or a broken one is
// read as without the cache; and the cache forgets everything when it goes.
TEST(PngReader, ACacheGivesUnchangedFilesFromMemoryWhileItLives)
{
    zxtest::TempFolder folder;
    const std::string file = folder.File("skin.png");
    const auto write = [&](uint16_t red) {
        return zxtest::WritePngFile(file, Image(2, 1, 2, 8, {red, 20, 30, 40, 50, 60}));
    };
    // Same size, same time of last write, other pixels: only the cache tells.
    const auto writeBehindTheCachesBack = [&](uint16_t red) {
        WIN32_FILE_ATTRIBUTE_DATA before;
        GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &before);
        bool written = write(red);
        HANDLE handle = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        written = written && SetFileTime(handle, nullptr, nullptr, &before.ftLastWriteTime);
        CloseHandle(handle);
        return written;
    };
    const auto redOfLoad = [&] {
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf24bit);
        EXPECT_TRUE(LoadPngFile(file, &bitmap));
        EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
        EXPECT_EQ(bitmap.Width(), 2);
        EXPECT_EQ(PixelAt(bitmap, 1, 0), (Pixel{60, 50, 40, 255}));
        return PixelAt(bitmap, 0, 0)[2];
    };

    ASSERT_TRUE(write(10));
    {
        PngFileCache cache;
        EXPECT_EQ(redOfLoad(), 10);
        ASSERT_TRUE(writeBehindTheCachesBack(11));
        EXPECT_EQ(redOfLoad(), 10) << "an unchanged file comes from memory";
        Sleep(20);
        ASSERT_TRUE(write(12));
        EXPECT_EQ(redOfLoad(), 12) << "a rewritten file is read again";

        ASSERT_TRUE(DeleteFileA(file.c_str()));
        TBitmap bitmap;
        EXPECT_THROW(LoadPngFile(file, &bitmap), EFOpenError);
        ASSERT_TRUE(zxtest::WriteWholeFile(file, "no picture"));
        EXPECT_FALSE(LoadPngFile(file, &bitmap, UnreadableFile::Report));
        ForgetUnreadableFiles();
        ASSERT_TRUE(write(13));
        EXPECT_EQ(redOfLoad(), 13);
    }
    ASSERT_TRUE(writeBehindTheCachesBack(14));
    EXPECT_EQ(redOfLoad(), 14) << "without a cache every load reads the file";
}

TEST(PngReader, ReadsPngSuiteFilesIntoBitmaps)
{
    const std::string corpus = zxtest::JoinPath(zxtest::SharedTestDataDir(), "pngsuite");
    if (!zxtest::FolderExists(corpus))
        GTEST_SKIP() << "no PngSuite corpus at " << corpus;
    struct Probe {
        const char* file;
        int x, y;
        Pixel pixel;
    };
    const Probe probes[] = {
        {"basn6a08.png", 0, 0, {0, 0, 0, 0}},        {"basn6a08.png", 31, 31, {255, 32, 0, 255}},
        {"basn0g16.png", 5, 9, {63, 63, 63, 255}},   {"ftbbn3p08.png", 0, 0, {0, 0, 0, 0}},
        {"basn4a08.png", 5, 9, {180, 180, 180, 41}}, {"ibasn3p04.png", 31, 31, {187, 0, 255, 255}},
    };
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.file);
        TBitmap bitmap;
        ASSERT_TRUE(LoadPngFile(zxtest::JoinPath(corpus, probe.file), &bitmap));
        EXPECT_EQ(bitmap.Width(), 32);
        EXPECT_EQ(PixelAt(bitmap, probe.x, probe.y), probe.pixel);
    }
}
