#pragma once
// Pictures kept while a window is built: its controls load the same skin
// files many times over (every bar its own buttons, dot and track), and each
// decode opens, reads and inflates the file again. While a PngFileCache
// lives, LoadPngFile keeps what it decodes and gives a file whose size and
// time of last write have not changed from memory. The last one to go frees
// every kept picture, so nothing stays for the life of the process. Only
// pictures of up to 256 KB are kept: larger ones are window faces, read once.

#include <windows.h>

#include <string>

#include "platform/vcl/Bitmap.h"

class PngFileCache {
public:
    PngFileCache();
    ~PngFileCache();
    PngFileCache(const PngFileCache&) = delete;
    PngFileCache& operator=(const PngFileCache&) = delete;

    // Which version of a file a picture was decoded from.
    struct Version {
        bool known = false;
        ULONGLONG size = 0;
        ULONGLONG written = 0;
    };

    // True when `fileName` is kept and unchanged: the 32-bit `bitmap` then
    // holds the picture as a decode would have left it. Otherwise `version`
    // is the file's version now, for Keep after the decode.
    static bool Fill(const std::string& fileName, TBitmap* bitmap, Version* version);
    // Keeps the picture just decoded into the 32-bit `bitmap`, while a cache
    // lives and the version is known.
    static void Keep(const std::string& fileName, const Version& version, TBitmap* bitmap);
};
