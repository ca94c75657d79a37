#pragma once
// PNG skins into bitmaps of the form library through "pngio.dll". A 32-bit
// target keeps the image's alpha channel for per-pixel blending; any other
// target becomes 24-bit.

#include <windows.h>

#include <string>

#include "platform/pngio/PngIoLibrary.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Streams.h"

class PngManager {
public:
    // The program's instance over "pngio.dll" in the program folder;
    // created on first use, never destroyed.
    static PngManager& Instance();

    // Loads the library from `libraryPath`. A library or entry point that
    // is missing leaves the manager unable to read: Read then returns false
    // and skins stay empty (the program still runs, reachable from the tray).
    explicit PngManager(const std::string& libraryPath);
    ~PngManager();
    PngManager(const PngManager&) = delete;
    PngManager& operator=(const PngManager&) = delete;

    bool CanRead() const { return m_read != nullptr && m_free != nullptr; }
    const std::string& LibraryPath() const { return m_libraryPath; }

    // Decodes the PNG data of `stream` into `bitmap`: B, G, R (and A for a
    // 32-bit bitmap, where a fully transparent pixel is also black and an
    // image without alpha is opaque). On failure the bitmap is unchanged.
    bool Read(TStream* stream, TBitmap* bitmap);

private:
    std::string m_libraryPath;
    HMODULE m_module = nullptr;
    ReadPngExFunction m_read = nullptr;
    WritePngExFunction m_write = nullptr;  // bound, never called
    FreePngDataFunction m_free = nullptr;
    AllocatePngDataFunction m_allocate = nullptr;  // bound, never called
};

// Makes `bitmap` 32-bit and reads the PNG file `fileName` into it through
// the program's instance. A missing file raises EFOpenError; a file that
// does not decode leaves the (32-bit) bitmap as it was and gives false.
bool LoadPngFile(const std::string& fileName, TBitmap* bitmap);

// What a picture load does with a file that cannot be opened or does not
// decode (or with every file, when the decoder library is missing). Each
// deliverable chooses at its calls.
enum class UnreadableFile {
    // Raises, naming the file: the form library's file-open error for a
    // file that cannot be opened, EInvalidGraphic for one that does not
    // decode.
    Raise,
    // Gives false and names the file on the debugger output; the bitmap
    // stays as it was. The first such file is kept (FirstUnreadableFile),
    // so that a program can still refuse to run without it.
    Report,
};

// LoadPngFile with the failures handled as `policy` says; true when the
// picture was read.
bool LoadPngFile(const std::string& fileName, TBitmap* bitmap, UnreadableFile policy);

// The size of the PNG picture in `fileName` read from its header alone, for
// a picture decoded only when first shown: a file that cannot be opened,
// does not begin as a PNG picture or finds no decoder is handled as
// `policy` says (as LoadPngFile would) and gives false.
bool ReadPngFileSize(const std::string& fileName, SIZE* size, UnreadableFile policy);

// What went wrong with the first file that a Report load of this module
// could not read, naming the file; empty while every one was read.
std::string FirstUnreadableFile();
// Forgets that file: the next failure is the first again.
void ForgetUnreadableFiles();
