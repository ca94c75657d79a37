// Every PNG of the program folder through the decoder the programs use
// (pngio.dll): each must decode with its alpha channel, since every skin is
// loaded into a 32-bit bitmap and blended by its own alpha.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "TestPaths.h"
#include "platform/pngio/PngIoLibrary.h"
#include "vessa/System/ProcAddress.h"

namespace {

void FindPngs(const std::string& folder, std::vector<std::string>& out)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(zxtest::JoinPath(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = zxtest::JoinPath(folder, name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            FindPngs(path, out);
        else if (name.size() > 4 && _stricmp(name.c_str() + name.size() - 4, ".png") == 0)
            out.push_back(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

struct Bytes {
    const std::string* data;
    size_t offset;
};

UINT WINAPI ReadBytes(void* user, void* buffer, UINT count)
{
    auto* source = static_cast<Bytes*>(user);
    size_t take = std::min<size_t>(count, source->data->size() - source->offset);
    std::memcpy(buffer, source->data->data() + source->offset, take);
    source->offset += take;
    return static_cast<UINT>(take);
}

}  // namespace

TEST(Skins, EveryPictureDecodesWithAlphaThroughThePngLibrary)
{
    HMODULE module = LoadLibraryA(zxtest::JoinPath(zxtest::DistDir(), kPngIoLibraryName).c_str());
    ASSERT_NE(module, nullptr);
    auto read = vessa::GetProcAddressAs<ReadPngExFunction>(module, kReadPngExName);
    auto release = vessa::GetProcAddressAs<FreePngDataFunction>(module, kFreePngDataName);
    ASSERT_NE(read, nullptr);
    ASSERT_NE(release, nullptr);

    std::vector<std::string> files;
    FindPngs(zxtest::JoinPath(zxtest::DistDir(), "Resource"), files);
    FindPngs(zxtest::JoinPath(zxtest::DistDir(), "res"), files);
    ASSERT_GT(files.size(), 100u) << "the generated pictures are in the program folder";

    for (const std::string& file : files) {
        const std::string data = zxtest::ReadWholeFile(file);
        Bytes source{&data, 0};
        PngInfo info{};
        ASSERT_NE(read(&info, ReadBytes, &source), 0) << file;
        EXPECT_EQ(info.colorType, kPngColorTypeRgba) << file;
        EXPECT_GT(info.width, 0u) << file;
        EXPECT_GT(info.height, 0u) << file;
        release(&info);
    }
    FreeLibrary(module);
}
