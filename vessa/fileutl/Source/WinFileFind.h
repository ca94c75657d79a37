#pragma once
// Listing the files of a folder, optionally with its subfolders: the profile
// lists of the program and of the dialog library use it.
//
// A traverser keeps one finder per folder level, the innermost on top. Its
// folder keeps the trailing backslash of the path it was opened on, so
// C:\P\ is searched as C:\P\\* and its files are named C:\P\\name; the
// system reads the doubled separator as one.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace vessa {

// One FindFirstFile/FindNextFile walk.
class WinFileFindA {
public:
    WinFileFindA() = default;
    ~WinFileFindA() { Close(); }
    WinFileFindA(const WinFileFindA&) = delete;
    WinFileFindA& operator=(const WinFileFindA&) = delete;

    bool Open(const std::string& pattern);
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    void Next();
    bool IsEnd() const { return !m_hasCurrent; }
    bool IsDirectory() const;
    std::string Name() const;
    void Close();

private:
    std::unique_ptr<WIN32_FIND_DATAA> m_data;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    bool m_hasCurrent = false;
};

// Every entry of a folder (and, when recursive, of its subfolders), "." and
// ".." included; directories are entered before their next sibling.
class WinDirTraverser {
public:
    WinDirTraverser() = default;
    ~WinDirTraverser() { Clear(); }
    WinDirTraverser(const WinDirTraverser&) = delete;
    WinDirTraverser& operator=(const WinDirTraverser&) = delete;

    void Open(const std::string& path, bool recursive);
    void Advance();
    bool IsEnd() const { return m_finders.empty(); }
    bool IsDirectory() const;  // of the current entry; requires !IsEnd()
    std::string Name() const;  // of the current entry; requires !IsEnd()
    const std::string& Folder() const { return m_folder; }
    void Clear();

private:
    void Push();
    void PopExhausted();
    static bool IsDotEntry(const std::string& name);

    bool m_recursive = false;
    std::string m_folder;
    std::vector<std::unique_ptr<WinFileFindA>> m_finders;
};

// Names of files only, one at a time.
class FileNameEnumerater {
public:
    virtual ~FileNameEnumerater() = default;
    virtual bool Open(const std::string& path, bool recursive) = 0;
    virtual void Next() = 0;
    virtual bool IsEnd() const = 0;
    virtual std::string GetFolder() const = 0;
    virtual std::string GetName() const = 0;
    std::string GetFullName() const { return GetFolder() + "\\" + GetName(); }
};

class WinFileEnumerater : public FileNameEnumerater {
public:
    bool Open(const std::string& path, bool recursive) override;
    void Next() override;
    bool IsEnd() const override { return m_traverser.IsEnd(); }
    std::string GetFolder() const override { return m_traverser.Folder(); }
    std::string GetName() const override;

private:
    void SkipDirectories();

    WinDirTraverser m_traverser;
};

}  // namespace vessa
