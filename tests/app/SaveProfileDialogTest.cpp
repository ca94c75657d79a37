// The Save Profile button of the running program and Dovrel's dialog
// behind it, driven by clicks and typing: the list of profile files, a
// save that another program loads back, a replacement only after Yes, a
// delete of the chosen file alone, and names that would reach outside the
// profile folder refused with nothing written anywhere. Each test has a
// profile folder of its own: the program's folder, emptied for the test
// and given back after it.

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "DialogFace.h"
#include "TestFiles.h"
#include "TestPaths.h"
#include "WindowDriving.h"

namespace {

using namespace apptest;

constexpr DWORD kFsbId = 0x03010011;
constexpr DWORD kVcoreId = 0x03020012;
constexpr int kBoardFsbIndex = 33;    // the default board's
constexpr int kBoardVcoreIndex = 56;  // the default board's
constexpr char kProfileFolderName[] = "Merovan OC Profiles";
constexpr int kNameLimit = 26;
constexpr int kListItemHeight = 13;
// The board's stored profiles, listed before the files.
const std::vector<std::string> kStoredProfiles = {"Gaming", "Quiet", "Benchmark"};

// A control's text, asked from the control itself (another process's).
std::string WindowText(HWND window)
{
    char text[256] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::string> ListEntries(HWND list)
{
    std::vector<std::string> entries;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // The list box answers another process in UTF-16 only.
        wchar_t text[256] = {};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        char narrow[256] = {};
        WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
        entries.push_back(narrow);
    }
    return entries;
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// Every file and folder below `folder` (relative name → contents; folders
// end in "\").
void Collect(const std::string& folder, const std::string& prefix, std::map<std::string, std::string>& tree)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(zxtest::JoinPath(folder, "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = zxtest::JoinPath(folder, name);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[prefix + name + "\\"] = "";
            Collect(path, prefix + name + "\\", tree);
        } else {
            tree[prefix + name] = zxtest::ReadWholeFile(path);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

std::map<std::string, std::string> Tree(const std::string& folder)
{
    std::map<std::string, std::string> tree;
    Collect(folder, "", tree);
    return tree;
}

void RemoveTree(const std::string& folder)
{
    for (const auto& entry : Tree(folder))
        if (entry.first.back() != '\\')
            DeleteFileA(zxtest::JoinPath(folder, entry.first).c_str());
    std::map<std::string, std::string> tree = Tree(folder);
    for (auto entry = tree.rbegin(); entry != tree.rend(); ++entry)
        RemoveDirectoryA(zxtest::JoinPath(folder, entry->first).c_str());
    RemoveDirectoryA(folder.c_str());
}

// The records of a profile file (magic, version 1, count, then the pairs);
// empty when the file is not one.
std::map<DWORD, int> ProfileRecords(const std::string& bytes)
{
    auto word = [&bytes](size_t i) {
        DWORD value = 0;
        for (int b = 3; b >= 0; --b)
            value = (value << 8) | static_cast<unsigned char>(bytes[i * 4 + b]);
        return value;
    };
    std::map<DWORD, int> records;
    if (bytes.size() < 12 || word(1) != 1 || bytes.size() != 12 + 8 * static_cast<size_t>(word(2)))
        return records;
    for (size_t i = 0; i < word(2); ++i)
        records[word(3 + 2 * i)] = static_cast<int>(word(4 + 2 * i));
    return records;
}

// ZxOcLib.dll in this process, on a board of its own, as another program
// loads a profile file with it.
int LoadProfileThroughLibrary(zxtest::BoardFixture& board, const std::string& path)
{
    for (const auto& [name, value] : board.Environment())
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    HMODULE library = LoadLibraryExA(zxtest::JoinPath(zxtest::DistDir(), "ZxOcLib.dll").c_str(), nullptr,
                                     LOAD_WITH_ALTERED_SEARCH_PATH);
    using LoadProfile = int(WINAPI*)(const char*);
    auto load = reinterpret_cast<LoadProfile>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(14))));
    const int result = load != nullptr ? load(path.c_str()) : -1;
    if (library != nullptr)
        FreeLibrary(library);
    for (const auto& variable : board.Environment())
        SetEnvironmentVariableA(variable.first.c_str(), nullptr);
    return result;
}

class SaveProfileDialog : public WindowDriving {
protected:
    bool StartsProgramAtSetUp() const override { return false; }

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(WindowDriving::SetUp());
        char common[MAX_PATH] = {};
        ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, common));
        m_common = common;
        m_profiles = zxtest::JoinPath(m_common, kProfileFolderName);
        m_kept = m_profiles + " (kept during the test)";
        if (GetFileAttributesA(m_profiles.c_str()) != INVALID_FILE_ATTRIBUTES) {
            ASSERT_TRUE(MoveFileA(m_profiles.c_str(), m_kept.c_str()));
        }
        ASSERT_TRUE(CreateDirectoryA(m_profiles.c_str(), nullptr));
        ASSERT_TRUE(zxtest::WriteWholeFile(Profile("Old.oc"), m_oldBytes));
        ASSERT_TRUE(zxtest::WriteWholeFile(Profile("Fast.OC"), zxtest::ProfileBytes({{kFsbId, 50}})));
        ASSERT_TRUE(zxtest::WriteWholeFile(Profile("Fast.oc.bak"), "not listed"));
        ASSERT_TRUE(zxtest::WriteWholeFile(Profile("Plain"), "not listed"));
        ASSERT_TRUE(CreateDirectoryA(Profile("Folder.oc").c_str(), nullptr));
        ASSERT_NO_FATAL_FAILURE(StartShown());
    }
    void TearDown() override
    {
        WindowDriving::TearDown();
        RemoveTree(m_profiles);
        if (GetFileAttributesA(m_kept.c_str()) != INVALID_FILE_ATTRIBUTES)
            MoveFileA(m_kept.c_str(), m_profiles.c_str());
    }

    std::string Profile(const std::string& file) const { return zxtest::JoinPath(m_profiles, file); }

    void OpenDialog()
    {
        ASSERT_TRUE(ClickAt(m_main, kSaveProfileAt));
        ASSERT_TRUE(WaitFor([&] { return (m_dialog = ShownWindow(Pid(), "TProfileDialog")) != nullptr; }));
        m_edit = VisibleChild(m_dialog, "Edit");
        m_list = VisibleChild(m_dialog, "ListBox");
        ASSERT_NE(nullptr, m_edit);
        ASSERT_NE(nullptr, m_list);
        Settle();
    }
    // A click on the list's entry `name`: it becomes the name to save or delete.
    void ChooseEntry(const std::string& name)
    {
        const std::vector<std::string> listed = ListEntries(m_list);
        const int index = static_cast<int>(std::find(listed.begin(), listed.end(), name) - listed.begin());
        ASSERT_LT(index, static_cast<int>(listed.size())) << name << " is not listed";
        ClickNow(m_list, POINT{10, index * kListItemHeight + kListItemHeight / 2});
        EXPECT_EQ(name, WindowText(m_edit));
        EXPECT_TRUE(ButtonEnabled("Delete"));
    }
    bool DialogOpen() const { return IsWindowVisible(m_dialog) != FALSE; }
    bool ButtonEnabled(const char* caption) const { return IsWindowEnabled(DialogButton(m_dialog, caption)) != FALSE; }
    // A click on the dialog's button `caption`; what it opens or closes
    // is waited for by the caller.
    void Press(const char* caption)
    {
        HWND button = DialogButton(m_dialog, caption);
        ASSERT_NE(nullptr, button) << caption;
        Click(button, POINT{5, 5});
    }
    // A click on the button `caption` that is to change nothing: it
    // returns once the dialog handled it.
    void PressInPlace(const char* caption)
    {
        HWND button = DialogButton(m_dialog, caption);
        ASSERT_NE(nullptr, button) << caption;
        ClickNow(button, POINT{5, 5});
        Settle();
    }
    // Keys typed into the name field, one character message each.
    void Type(const std::string& keys)
    {
        for (char key : keys)
            SendMessageA(m_edit, WM_CHAR, static_cast<unsigned char>(key), 1);
    }
    // The name field set as a paste would set it, past any typing limit.
    void SetName(const std::string& name)
    {
        SendMessageA(m_edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    // Waits for the replace or delete question, checks it, answers it.
    void ExpectQuestion(const char* key, const char* answer)
    {
        SCOPED_TRACE(key);
        HWND asked = WaitForAskDialog();
        ASSERT_NE(nullptr, asked);
        RECT dialog{};
        RECT question{};
        GetWindowRect(m_dialog, &dialog);
        GetWindowRect(asked, &question);
        EXPECT_EQ(dialog.left + (465 - 281) / 2, question.left);  // centred on the Save Profile dialog
        EXPECT_EQ(dialog.top + (283 - 203) / 2, question.top);
        EXPECT_FALSE(HasDangerFace(asked));
        EXPECT_TRUE(AsksWith(asked, ProgramText(key)));
        ASSERT_NO_FATAL_FAILURE(Answer(asked, answer));
        Settle();
    }

    std::string m_common;    // the common application-data folder
    std::string m_profiles;  // the profile folder in it
    std::string m_kept;      // where the folder's earlier contents wait
    const std::string m_oldBytes = zxtest::ProfileBytes({{kFsbId, 40}, {kVcoreId, 60}});
    HWND m_dialog = nullptr;
    HWND m_edit = nullptr;
    HWND m_list = nullptr;
};

TEST_F(SaveProfileDialog, ListsProfileFilesOnlyAndSavesWhatTheBarsShowForOthersToLoad)
{
    // The FSB one step down, applied: the bars and the BIOS show 32.
    ASSERT_TRUE(ClickAt(m_main, kFsbStepDownAt));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    ASSERT_NO_FATAL_FAILURE(ApplyAnswering("Yes"));

    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    EXPECT_EQ((std::vector<std::string>{"Fast", "Old"}), Sorted(ListEntries(m_list)));
    EXPECT_EQ("", WindowText(m_edit));
    EXPECT_FALSE(ButtonEnabled("Save"));
    EXPECT_FALSE(ButtonEnabled("Delete"));

    Type("Mine");
    EXPECT_EQ("Mine", WindowText(m_edit));
    EXPECT_TRUE(ButtonEnabled("Save"));
    EXPECT_FALSE(ButtonEnabled("Delete"));  // no such profile yet
    NewWrites();
    ASSERT_NO_FATAL_FAILURE(Press("Save"));
    ASSERT_TRUE(WaitFor([&] { return !DialogOpen(); }));
    EXPECT_EQ(nullptr, ShownWindow(Pid(), "TAskDialog"));
    EXPECT_EQ(std::vector<std::string>{}, NewWrites()) << "saving wrote to the BIOS";

    const std::map<DWORD, int> saved = ProfileRecords(zxtest::ReadWholeFile(Profile("Mine.oc")));
    ASSERT_FALSE(saved.empty()) << "no profile file Mine.oc";
    EXPECT_EQ(kBoardFsbIndex - 1, saved.at(kFsbId));
    EXPECT_EQ(kBoardVcoreIndex, saved.at(kVcoreId));

    // Another program loads it onto a board of its own (FSB at 33).
    zxtest::BoardFixture other;
    EXPECT_EQ(1, LoadProfileThroughLibrary(other, Profile("Mine.oc")));
    EXPECT_TRUE(HasWrite(other.Writes(), kFsbId, kBoardFsbIndex - 1));
    EXPECT_NE(std::string::npos, other.BoardText().find("count=201\r\nvalue=32\r\n"));

    // The profile box: the stored profiles, then the files.
    ASSERT_TRUE(ClickAt(m_main, kProfileDropAt));
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = VisibleChild(m_main, "ListBox")) != nullptr; }));
    std::vector<std::string> entries = ListEntries(box);
    ASSERT_EQ(kStoredProfiles.size() + 3, entries.size());
    EXPECT_EQ(kStoredProfiles, std::vector<std::string>(entries.begin(), entries.begin() + 3));
    EXPECT_EQ((std::vector<std::string>{"Fast", "Mine", "Old"}),
              Sorted(std::vector<std::string>(entries.begin() + 3, entries.end())));
    EXPECT_EQ(std::vector<std::string>{}, NewWrites());
}

TEST_F(SaveProfileDialog, ReplacesOnlyAfterYesAndDeletesOnlyTheChosenFile)
{
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    // Another case of a listed name: it is that profile.
    Type("OLD");
    const std::vector<std::string> names = ListEntries(m_list);
    EXPECT_EQ(std::find(names.begin(), names.end(), "Old") - names.begin(), SendMessageA(m_list, LB_GETCURSEL, 0, 0));
    EXPECT_TRUE(ButtonEnabled("Delete"));

    ASSERT_NO_FATAL_FAILURE(Press("Save"));
    ASSERT_NO_FATAL_FAILURE(ExpectQuestion("ReplaceProfile", "No"));
    EXPECT_TRUE(DialogOpen());
    EXPECT_EQ("OLD", WindowText(m_edit));
    EXPECT_EQ(m_oldBytes, zxtest::ReadWholeFile(Profile("Old.oc")));

    ASSERT_NO_FATAL_FAILURE(Press("Save"));
    ASSERT_NO_FATAL_FAILURE(ExpectQuestion("ReplaceProfile", "Yes"));
    ASSERT_TRUE(WaitFor([&] { return !DialogOpen(); }));
    const std::map<DWORD, int> replaced = ProfileRecords(zxtest::ReadWholeFile(Profile("Old.oc")));
    EXPECT_EQ(kBoardFsbIndex, replaced.count(kFsbId) ? replaced.at(kFsbId) : -1) << "not replaced";
    EXPECT_EQ(kBoardVcoreIndex, replaced.count(kVcoreId) ? replaced.at(kVcoreId) : -1);

    // Delete: a click on the entry chooses it; No keeps it (the list is
    // shown afresh either way), Yes deletes that file alone.
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    const std::map<std::string, std::string> before = Tree(m_profiles);
    ASSERT_NO_FATAL_FAILURE(ChooseEntry("Fast"));
    ASSERT_NO_FATAL_FAILURE(Press("Delete"));
    ASSERT_NO_FATAL_FAILURE(ExpectQuestion("DeleteProfile", "No"));
    EXPECT_EQ(before, Tree(m_profiles));
    EXPECT_EQ((std::vector<std::string>{"Fast", "Old"}), Sorted(ListEntries(m_list)));

    ASSERT_NO_FATAL_FAILURE(ChooseEntry("Fast"));
    ASSERT_NO_FATAL_FAILURE(Press("Delete"));
    ASSERT_NO_FATAL_FAILURE(ExpectQuestion("DeleteProfile", "Yes"));
    std::map<std::string, std::string> expected = before;
    expected.erase("Fast.OC");
    EXPECT_EQ(expected, Tree(m_profiles));
    EXPECT_EQ(std::vector<std::string>{"Old"}, ListEntries(m_list));
    EXPECT_EQ("", WindowText(m_edit));
    EXPECT_FALSE(ButtonEnabled("Save"));
    EXPECT_FALSE(ButtonEnabled("Delete"));

    ASSERT_NO_FATAL_FAILURE(Press("Cancel"));
    EXPECT_TRUE(WaitFor([&] { return !DialogOpen(); }));
    EXPECT_EQ(expected, Tree(m_profiles));
}

// The profile box lets go of the profile it shows when that profile's file
// goes, deleted in the Save Profile dialog or taken out of the folder by
// another hand (seen at the next drop-down): neither its choice nor its
// name stays.
TEST_F(SaveProfileDialog, TheProfileBoxLetsGoOfAShownProfileWhoseFileHasGone)
{
    const ScreenPixels empty = CaptureSteady(m_main, kProfileTextArea);
    for (const bool inTheDialog : {true, false}) {
        SCOPED_TRACE(inTheDialog ? "deleted in the dialog" : "taken out of the folder");
        const std::string name = inTheDialog ? "Fast" : "Old";
        // Chosen and applied: shown in the box, and nothing is pending.
        ASSERT_TRUE(ClickAt(m_main, kProfileDropAt));
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = VisibleChild(m_main, "ListBox")) != nullptr; }));
        const std::vector<std::string> entries = ListEntries(box);
        const auto entry = std::find(entries.begin(), entries.end(), name);
        ASSERT_NE(entries.end(), entry);
        RECT item{};
        SendMessageA(box, LB_GETITEMRECT, entry - entries.begin(), reinterpret_cast<LPARAM>(&item));
        Click(box, POINT{10, (item.top + item.bottom) / 2});
        ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
        ASSERT_NO_FATAL_FAILURE(ApplyAnswering("Yes"));
        ASSERT_TRUE(WaitFor([&] { return !ApplyEnabled(); }));
        const ScreenPixels named = CaptureSteady(m_main, kProfileTextArea);
        ASSERT_NE(empty, named) << "the box does not show " << name;

        if (inTheDialog) {
            ASSERT_NO_FATAL_FAILURE(OpenDialog());
            ASSERT_NO_FATAL_FAILURE(ChooseEntry(name));
            ASSERT_NO_FATAL_FAILURE(Press("Delete"));
            ASSERT_NO_FATAL_FAILURE(ExpectQuestion("DeleteProfile", "Yes"));
            ASSERT_NO_FATAL_FAILURE(Press("Cancel"));
            ASSERT_TRUE(WaitFor([&] { return !DialogOpen(); }));
        } else {
            ASSERT_TRUE(DeleteFileA(Profile(name + ".oc").c_str()));
            ASSERT_TRUE(ClickAt(m_main, kProfileDropAt));
            ASSERT_TRUE(WaitFor([&] { return (box = VisibleChild(m_main, "ListBox")) != nullptr; }));
            const std::vector<std::string> now = ListEntries(box);
            EXPECT_EQ(now.end(), std::find(now.begin(), now.end(), name));
            ASSERT_TRUE(ClickAt(m_main, kProfileDropAt));
            ASSERT_TRUE(WaitFor([&] { return VisibleChild(m_main, "ListBox") == nullptr; }));
        }
        Settle();
        const ScreenPixels after = CaptureSteady(m_main, kProfileTextArea);
        if (after != empty)
            SaveBitmap(after, zxtest::JoinPath(zxtest::TestDir(), "profile-box-after-delete.bmp"));
        EXPECT_EQ(empty, after) << "the box still names " << name;
    }
}

// Every name here is refused: Save stays disabled, and a click on it
// anyway writes nothing, in the profile folder or anywhere above it.
TEST_F(SaveProfileDialog, RefusesNamesThatAreNoPlainFileName)
{
    const std::string tooLong = "zxevil" + std::string(kNameLimit + 1 - 6, 'x');
    const char* const names[] = {
        "zxevil/a",   "zxevil\\a",  "..\\zxevil", "../zxevil", "..\\..\\zxevil",
        "\\zxevil",   "C:\\zxevil", "..",         ".",         "...",
        " ",          "CON",        "nul",        "COM1",      "lpt9",
        "AUX.zxevil", "prn",        "zxevil<",    "zxevil>",   "zxevil:a",
        "zxevil\"",   "zxevil|",    "zxevil?",    "zxevil*",   "zxevil\t",
        "",
    };
    std::vector<std::string> hostile(std::begin(names), std::end(names));
    hostile.push_back(tooLong);

    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    const std::map<std::string, std::string> before = Tree(m_profiles);
    std::vector<std::string> above;  // the folders a path could climb to
    for (std::string folder = m_profiles; folder.size() > 3;) {
        folder = folder.substr(0, folder.find_last_of('\\'));
        above.push_back(folder.size() == 2 ? folder + "\\" : folder);
    }
    for (const std::string& name : hostile) {
        SCOPED_TRACE("name \"" + name + "\"");
        SetName(name);
        EXPECT_FALSE(ButtonEnabled("Save"));
        ASSERT_NO_FATAL_FAILURE(PressInPlace("Save"));
        EXPECT_TRUE(DialogOpen());
        EXPECT_EQ(nullptr, ShownWindow(Pid(), "TAskDialog"));
        if (HWND box = FindProcessWindow(Pid(), "#32770")) {
            ADD_FAILURE() << "a message box showed";
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        EXPECT_EQ(before, Tree(m_profiles));
        for (const std::string& folder : above) {
            WIN32_FIND_DATAA data;
            HANDLE find = FindFirstFileA(zxtest::JoinPath(folder, "zxevil*").c_str(), &data);
            EXPECT_EQ(INVALID_HANDLE_VALUE, find) << "written into " << folder;
            if (find != INVALID_HANDLE_VALUE)
                FindClose(find);
        }
    }

    // A name the file system refuses (a folder of that name is there): the
    // error is said, the dialog stays open, and nothing changed.
    SetName("Folder");
    ASSERT_NO_FATAL_FAILURE(Press("Save"));
    ASSERT_NO_FATAL_FAILURE(ExpectQuestion("ReplaceProfile", "Yes"));
    HWND error = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (error = FindProcessWindow(Pid(), "#32770", "Zendrix")) != nullptr; }));
    char said[256] = {};
    GetDlgItemTextA(error, 0xFFFF, said, sizeof said);
    EXPECT_STREQ("Save Profile Error!!", said);
    PostMessageA(error, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return FindProcessWindow(Pid(), "#32770", "Zendrix") == nullptr; }));
    Settle();
    EXPECT_TRUE(DialogOpen());
    EXPECT_EQ(before, Tree(m_profiles));

    // Typing stops at the limit; the longest name is saved.
    SetName("");
    Type(tooLong);
    EXPECT_EQ(tooLong.substr(0, kNameLimit), WindowText(m_edit));
    ASSERT_NO_FATAL_FAILURE(Press("Save"));
    ASSERT_TRUE(WaitFor([&] { return !DialogOpen(); }));
    std::map<std::string, std::string> after = Tree(m_profiles);
    const std::string longest = tooLong.substr(0, kNameLimit) + ".oc";
    ASSERT_EQ(1u, after.count(longest));
    EXPECT_FALSE(ProfileRecords(after[longest]).empty());
    after.erase(longest);
    EXPECT_EQ(before, after);
}

}  // namespace
