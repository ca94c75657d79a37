#include "vessa/skin/PngReader.h"

#include <cstring>
#include <string>

#include "vessa/skin/PngFileCache.h"
#include "platform/vcl/SysUtils.h"
#include "vessa/System/ProcAddress.h"
#include "vessa/System/StepTrace.h"
#include "vessa/fileutl/Source/PathUtility.h"

namespace {

// The library's read callback over a stream of the form library. Nothing
// may be thrown back through the library's frames: a failing stream reads 0.
UINT WINAPI ReadFromStream(void* user, void* buffer, UINT count)
{
    try {
        long got = static_cast<TStream*>(user)->Read(buffer, static_cast<long>(count));
        return got > 0 ? static_cast<UINT>(got) : 0;
    } catch (...) {
        return 0;
    }
}

// Gives decoded rows back however the conversion ends.
class DecodedRows {
public:
    explicit DecodedRows(FreePngDataFunction free) : m_free(free) {}
    ~DecodedRows()
    {
        if (decoded)
            m_free(&info);
    }
    DecodedRows(const DecodedRows&) = delete;
    DecodedRows& operator=(const DecodedRows&) = delete;

    PngInfo info{};
    bool decoded = false;

private:
    FreePngDataFunction m_free;
};

std::string& FirstUnreadable()
{
    static std::string* text = new std::string();  // kept for the process
    return *text;
}

// Why `fileName`, which opened, gave no picture.
std::string UndecodableText(const std::string& fileName)
{
    const PngManager& manager = PngManager::Instance();
    if (!manager.CanRead())
        return "Cannot read \"" + fileName + "\": the PNG decoder \"" + manager.LibraryPath() + "\" did not load";
    return "Cannot read \"" + fileName + "\": it is not a PNG picture the decoder reads";
}

void ReportUnreadable(const std::string& text)
{
    const std::string line = "[LoadPngFile] " + text + "\r\n";
    OutputDebugStringA(line.c_str());
    if (FirstUnreadable().empty())
        FirstUnreadable() = text;
}

// Runs `read` of `fileName`; a file that does not open or gives no picture
// is handled as `policy` says.
template <typename Read>
bool ReadAsPolicySays(const std::string& fileName, UnreadableFile policy, Read read)
{
    std::string problem;
    try {
        if (read())
            return true;
        problem = UndecodableText(fileName);
    } catch (const EFOpenError& error) {
        if (policy == UnreadableFile::Raise)
            throw;
        problem = error.Message();
    }
    if (policy == UnreadableFile::Raise)
        throw EInvalidGraphic(problem);
    ReportUnreadable(problem);
    return false;
}

void ReadWholeStream(TStream* from, TMemoryStream* to)
{
    char chunk[65536];
    long got = 0;
    while ((got = from->Read(chunk, sizeof chunk)) > 0)
        to->Write(chunk, got);
    to->SetPosition(0);
}

void ConvertRow(const uint8_t* in, bool sourceAlpha, uint8_t* out, bool targetAlpha, uint32_t width)
{
    const int inBytes = sourceAlpha ? 4 : 3;
    const int outBytes = targetAlpha ? 4 : 3;
    for (uint32_t x = 0; x < width; ++x, in += inBytes, out += outBytes) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        if (!targetAlpha)
            continue;
        out[3] = sourceAlpha ? in[3] : 255;
        if (out[3] == 0)
            out[0] = out[1] = out[2] = 0;
    }
}

// The signature and the header chunk that every PNG file begins with.
constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr unsigned char kHeaderChunk[8] = {0, 0, 0, 13, 'I', 'H', 'D', 'R'};
constexpr int kHeaderBytes = 24;  // signature, chunk length and type, width, height

unsigned long BigEndian(const unsigned char* bytes)
{
    return (static_cast<unsigned long>(bytes[0]) << 24) | (static_cast<unsigned long>(bytes[1]) << 16) |
           (static_cast<unsigned long>(bytes[2]) << 8) | bytes[3];
}

// The picture's size from the header in `bytes`; false when they are no
// PNG header or give an empty or absurd size.
bool SizeFromHeader(const unsigned char* bytes, SIZE* size)
{
    if (std::memcmp(bytes, kPngSignature, sizeof kPngSignature) != 0 ||
        std::memcmp(bytes + 8, kHeaderChunk, sizeof kHeaderChunk) != 0)
        return false;
    constexpr unsigned long kLargestSide = 0x7FFF;
    const unsigned long width = BigEndian(bytes + 16);
    const unsigned long height = BigEndian(bytes + 20);
    if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide)
        return false;
    size->cx = static_cast<LONG>(width);
    size->cy = static_cast<LONG>(height);
    return true;
}

}  // namespace

PngManager& PngManager::Instance()
{
    static PngManager* instance = new PngManager(vessa::GetProgramFolder() + kPngIoLibraryName);
    return *instance;
}

PngManager::PngManager(const std::string& libraryPath) : m_libraryPath(libraryPath)
{
    m_module = LoadLibraryA(libraryPath.c_str());
    m_read = vessa::GetProcAddressAs<ReadPngExFunction>(m_module, kReadPngExName);
    m_write = vessa::GetProcAddressAs<WritePngExFunction>(m_module, kWritePngExName);
    m_free = vessa::GetProcAddressAs<FreePngDataFunction>(m_module, kFreePngDataName);
    m_allocate = vessa::GetProcAddressAs<AllocatePngDataFunction>(m_module, kAllocatePngDataName);
    if (!CanRead()) {
        // Skins stay empty from here on; say why to whoever watches.
        std::string text = "[PngManager] no PNG decoder in " + libraryPath + "\r\n";
        OutputDebugStringA(text.c_str());
    }
}

PngManager::~PngManager()
{
    if (m_module != nullptr)
        FreeLibrary(m_module);
}

bool PngManager::Read(TStream* stream, TBitmap* bitmap)
{
    if (!CanRead() || stream == nullptr || bitmap == nullptr)
        return false;
    DecodedRows decoded(m_free);  // a failed read has nothing to give back
    decoded.decoded = m_read(&decoded.info, &ReadFromStream, stream) != 0;
    if (!decoded.decoded)
        return false;
    const PngInfo& info = decoded.info;
    if (info.rows == nullptr || info.width == 0 || info.height == 0)
        return false;

    const bool targetAlpha = bitmap->PixelFormat() == pf32bit;
    if (!targetAlpha)
        bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(static_cast<int>(info.width), static_cast<int>(info.height));
    const bool sourceAlpha = info.colorType == kPngColorTypeRgba;
    for (uint32_t y = 0; y < info.height; ++y)
        ConvertRow(info.rows[y], sourceAlpha, static_cast<uint8_t*>(bitmap->ScanLine(static_cast<int>(y))), targetAlpha,
                   info.width);
    return true;
}

bool LoadPngFile(const std::string& fileName, TBitmap* bitmap)
{
    vessa::StepTotal timed("picture loads");
    bitmap->SetPixelFormat(pf32bit);
    PngFileCache::Version version;
    if (PngFileCache::Fill(fileName, bitmap, &version))
        return true;
    vessa::StepTotal decoded("picture decodes");
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    // The decoder reads in small pieces: from memory, not a system call each.
    TMemoryStream data;
    ReadWholeStream(&file, &data);
    if (!PngManager::Instance().Read(&data, bitmap))
        return false;
    PngFileCache::Keep(fileName, version, bitmap);
    return true;
}

bool LoadPngFile(const std::string& fileName, TBitmap* bitmap, UnreadableFile policy)
{
    return ReadAsPolicySays(fileName, policy, [&] { return LoadPngFile(fileName, bitmap); });
}

bool ReadPngFileSize(const std::string& fileName, SIZE* size, UnreadableFile policy)
{
    return ReadAsPolicySays(fileName, policy, [&] {
        TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
        unsigned char header[kHeaderBytes];
        return PngManager::Instance().CanRead() && file.Read(header, kHeaderBytes) == kHeaderBytes &&
               SizeFromHeader(header, size);
    });
}

std::string FirstUnreadableFile()
{
    return FirstUnreadable();
}

void ForgetUnreadableFiles()
{
    FirstUnreadable().clear();
}
