#include "vessa/fileutl/Source/WinFileFind.h"

#include "vessa/System/VessaAssert.h"
#include "vessa/fileutl/Source/PathUtility.h"

namespace vessa {

// ---- WinFileFindA ----

bool WinFileFindA::Open(const std::string& pattern)
{
    VESSA_ASSERT(!IsOpen());
    m_data.reset(new WIN32_FIND_DATAA{});
    m_handle = FindFirstFileA(pattern.c_str(), m_data.get());
    if (m_handle == INVALID_HANDLE_VALUE) {
        m_data.reset();
        m_hasCurrent = false;
        return false;
    }
    m_hasCurrent = true;
    return true;
}

void WinFileFindA::Next()
{
    m_hasCurrent = IsOpen() && FindNextFileA(m_handle, m_data.get()) != FALSE;
}

bool WinFileFindA::IsDirectory() const
{
    return m_hasCurrent && (m_data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string WinFileFindA::Name() const
{
    return m_hasCurrent ? std::string(m_data->cFileName) : std::string();
}

void WinFileFindA::Close()
{
    m_data.reset();
    if (m_handle != INVALID_HANDLE_VALUE) {
        FindClose(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    m_hasCurrent = false;
}

// ---- WinDirTraverser ----

void WinDirTraverser::Open(const std::string& path, bool recursive)
{
    Clear();
    m_recursive = recursive;
    size_t slash = path.rfind('\\');
    m_folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    Push();
    PopExhausted();
}

void WinDirTraverser::Advance()
{
    if (IsEnd())
        return;
    WinFileFindA& top = *m_finders.back();
    if (m_recursive && top.IsDirectory() && !IsDotEntry(top.Name())) {
        m_folder += "\\" + top.Name();
        Push();
    } else {
        top.Next();
    }
    PopExhausted();
}

bool WinDirTraverser::IsDirectory() const
{
    return !IsEnd() && m_finders.back()->IsDirectory();
}

std::string WinDirTraverser::Name() const
{
    return IsEnd() ? std::string() : m_finders.back()->Name();
}

void WinDirTraverser::Clear()
{
    m_finders.clear();
    m_folder.clear();
}

void WinDirTraverser::Push()
{
    auto finder = std::make_unique<WinFileFindA>();
    finder->Open(m_folder + "\\*");  // a folder that cannot be read is exhausted at once
    m_finders.push_back(std::move(finder));
}

void WinDirTraverser::PopExhausted()
{
    while (!m_finders.empty() && m_finders.back()->IsEnd()) {
        m_finders.pop_back();
        m_folder = ParentFolderText(m_folder);
        if (m_finders.empty())
            return;
        m_finders.back()->Next();
    }
}

bool WinDirTraverser::IsDotEntry(const std::string& name)
{
    return name == "." || name == "..";
}

// ---- WinFileEnumerater ----

bool WinFileEnumerater::Open(const std::string& path, bool recursive)
{
    m_traverser.Open(path, recursive);
    SkipDirectories();
    return true;
}

void WinFileEnumerater::Next()
{
    m_traverser.Advance();
    SkipDirectories();
}

std::string WinFileEnumerater::GetName() const
{
    return m_traverser.Name();
}

void WinFileEnumerater::SkipDirectories()
{
    while (!m_traverser.IsEnd() && m_traverser.IsDirectory())
        m_traverser.Advance();
}

}  // namespace vessa
