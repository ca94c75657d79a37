#pragma once
// Byte streams: the abstract stream, a file stream over a Win32 file handle
// and a memory stream. Opening a missing file raises EFOpenError.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/vcl/Classes.h"

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

// File modes: one access mode, or fmCreate, combined with one share mode.
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;
constexpr unsigned fmCreate = 0xFFFF;

class TStream : public TObject {
public:
    virtual long Read(void* buffer, long count) = 0;
    virtual long Write(const void* buffer, long count) = 0;
    virtual long long Seek(long long offset, TSeekOrigin origin) = 0;

    long long Position() { return Seek(0, soCurrent); }
    void SetPosition(long long position) { Seek(position, soBeginning); }
    virtual long long Size();
    // Whole reads and writes; a short one raises EReadError / EWriteError.
    void ReadBuffer(void* buffer, long count);
    void WriteBuffer(const void* buffer, long count);
    long long CopyFrom(TStream* source, long long count);  // count 0 = whole source
};

class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;
    long Read(void* buffer, long count) override;
    long Write(const void* buffer, long count) override;
    long long Seek(long long offset, TSeekOrigin origin) override;
    HANDLE Handle() const { return m_handle; }
    const std::string& FileName() const { return m_fileName; }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    std::string m_fileName;
};

class TMemoryStream : public TStream {
public:
    long Read(void* buffer, long count) override;
    long Write(const void* buffer, long count) override;
    long long Seek(long long offset, TSeekOrigin origin) override;
    const unsigned char* Memory() const { return m_data.data(); }
    void Clear();
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

private:
    std::vector<unsigned char> m_data;
    size_t m_position = 0;
};
