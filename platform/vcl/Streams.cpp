#include "platform/vcl/Streams.h"

#include <algorithm>
#include <cstring>

long long TStream::Size()
{
    long long position = Seek(0, soCurrent);
    long long size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, long count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, long count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

long long TStream::CopyFrom(TStream* source, long long count)
{
    if (count == 0) {
        source->SetPosition(0);
        count = source->Size();
    }
    long long copied = 0;
    char buffer[8192];
    while (copied < count) {
        long chunk = static_cast<long>(std::min<long long>(sizeof buffer, count - copied));
        source->ReadBuffer(buffer, chunk);
        WriteBuffer(buffer, chunk);
        copied += chunk;
    }
    return copied;
}

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : m_fileName(fileName)
{
    if (mode == fmCreate) {
        m_handle = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_handle == INVALID_HANDLE_VALUE)
            throw EFCreateError("Cannot create file \"" + fileName + "\". " + SysErrorMessage(GetLastError()));
        return;
    }
    static const DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    switch (mode & 0xF0) {
    case fmShareExclusive:
        share = 0;
        break;
    case fmShareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    case fmShareDenyRead:
        share = FILE_SHARE_WRITE;
        break;
    default:
        break;
    }
    unsigned accessIndex = std::min(mode & 3u, 2u);
    m_handle = CreateFileA(fileName.c_str(), access[accessIndex], share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (m_handle == INVALID_HANDLE_VALUE)
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + SysErrorMessage(GetLastError()));
}

TFileStream::~TFileStream()
{
    if (m_handle != INVALID_HANDLE_VALUE)
        CloseHandle(m_handle);
}

long TFileStream::Read(void* buffer, long count)
{
    DWORD done = 0;
    if (count <= 0 || !ReadFile(m_handle, buffer, static_cast<DWORD>(count), &done, nullptr))
        return 0;
    return static_cast<long>(done);
}

long TFileStream::Write(const void* buffer, long count)
{
    DWORD done = 0;
    if (count <= 0 || !WriteFile(m_handle, buffer, static_cast<DWORD>(count), &done, nullptr))
        return 0;
    return static_cast<long>(done);
}

long long TFileStream::Seek(long long offset, TSeekOrigin origin)
{
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER result{};
    if (!SetFilePointerEx(m_handle, distance, &result, static_cast<DWORD>(origin)))
        return -1;
    return result.QuadPart;
}

long TMemoryStream::Read(void* buffer, long count)
{
    if (count <= 0 || m_position >= m_data.size())
        return 0;
    size_t n = std::min(static_cast<size_t>(count), m_data.size() - m_position);
    std::memcpy(buffer, m_data.data() + m_position, n);
    m_position += n;
    return static_cast<long>(n);
}

long TMemoryStream::Write(const void* buffer, long count)
{
    if (count <= 0)
        return 0;
    if (m_position + count > m_data.size())
        m_data.resize(m_position + count);
    std::memcpy(m_data.data() + m_position, buffer, count);
    m_position += count;
    return count;
}

long long TMemoryStream::Seek(long long offset, TSeekOrigin origin)
{
    long long base = origin == soBeginning ? 0
                     : origin == soCurrent ? static_cast<long long>(m_position)
                                           : static_cast<long long>(m_data.size());
    long long target = std::max(0LL, base + offset);
    m_position = static_cast<size_t>(target);
    return target;
}

void TMemoryStream::Clear()
{
    m_data.clear();
    m_position = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    Clear();
    CopyFrom(&file, 0);
    m_position = 0;
}

void TMemoryStream::SaveToFile(const std::string& fileName)
{
    TFileStream file(fileName, fmCreate);
    file.WriteBuffer(m_data.data(), static_cast<long>(m_data.size()));
}
