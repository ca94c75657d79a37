#include "vessa/skin/PngFileCache.h"

#include <cstring>
#include <map>
#include <vector>

namespace {

struct KeptPicture {
    PngFileCache::Version version;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // 32-bit rows, top row first
};

constexpr size_t kLargestKeptBytes = 256 * 1024;

int g_openCaches = 0;

std::map<std::string, KeptPicture>& Kept()
{
    static std::map<std::string, KeptPicture>* kept = new std::map<std::string, KeptPicture>();  // kept for the process
    return *kept;
}

PngFileCache::Version VersionOf(const std::string& fileName)
{
    PngFileCache::Version version;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(fileName.c_str(), GetFileExInfoStandard, &data))
        return version;
    version.known = true;
    version.size = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    version.written = (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return version;
}

size_t RowBytes(int width)
{
    return static_cast<size_t>(width) * 4;
}

}  // namespace

PngFileCache::PngFileCache()
{
    ++g_openCaches;
}

PngFileCache::~PngFileCache()
{
    if (--g_openCaches == 0)
        Kept().clear();
}

bool PngFileCache::Fill(const std::string& fileName, TBitmap* bitmap, Version* version)
{
    if (g_openCaches == 0)
        return false;
    *version = VersionOf(fileName);
    auto found = Kept().find(fileName);
    if (found == Kept().end())
        return false;
    const KeptPicture& kept = found->second;
    if (!version->known || version->size != kept.version.size || version->written != kept.version.written) {
        Kept().erase(found);
        return false;
    }
    // As the decoder's reader fills a 32-bit bitmap: the size, then every row.
    bitmap->SetSize(kept.width, kept.height);
    for (int y = 0; y < kept.height; ++y)
        std::memcpy(bitmap->ScanLine(y), kept.pixels.data() + y * RowBytes(kept.width), RowBytes(kept.width));
    return true;
}

void PngFileCache::Keep(const std::string& fileName, const Version& version, TBitmap* bitmap)
{
    // What repeats are the small skins of controls; a window's face is read
    // once, and keeping a copy of it would only cost memory.
    if (g_openCaches == 0 || !version.known || bitmap->PixelFormat() != pf32bit ||
        RowBytes(bitmap->Width()) * bitmap->Height() > kLargestKeptBytes)
        return;
    KeptPicture& kept = Kept()[fileName];
    kept.version = version;
    kept.width = bitmap->Width();
    kept.height = bitmap->Height();
    kept.pixels.clear();
    kept.pixels.reserve(RowBytes(kept.width) * kept.height);
    for (int y = 0; y < kept.height; ++y) {
        const auto* row = static_cast<const unsigned char*>(bitmap->ScanLine(y));
        kept.pixels.insert(kept.pixels.end(), row, row + RowBytes(kept.width));
    }
}
