// The registry key classes against the prefix's real registry, under a
// scratch key of HKCU that each run makes and removes.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "TestProcess.h"
#include "vessa/System/Source/WinRegistry.h"

namespace {

// HKCU\Software\ZendrixTests\Registry-<pid>, deleted with everything below it.
class ScratchKey {
public:
    ScratchKey() : m_path("Software\\ZendrixTests\\Registry-" + std::to_string(GetCurrentProcessId()))
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
    }
    ~ScratchKey()
    {
        RegCloseKey(m_key);
        RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
    }
    const char* Path() const { return m_path.c_str(); }
    void Set(const char* name, DWORD type, const void* data, DWORD size)
    {
        RegSetValueExA(m_key, name, 0, type, static_cast<const BYTE*>(data), size);
    }
    void SetString(const char* name, DWORD type, const std::string& text)
    {
        Set(name, type, text.data(), static_cast<DWORD>(text.size()));
    }

private:
    std::string m_path;
    HKEY m_key = nullptr;
};

}  // namespace

ZX_TEST_CHILD(open_twice)
{
    vessa::RegAccessor accessor;
    accessor.Open(HKEY_CURRENT_USER, "Software", false);
    accessor.Open(HKEY_CURRENT_USER, "Software", false);
    return 0;
}

TEST(Registry, ReadStringTakesStringTypesUpToTheFirstZero)
{
    ScratchKey scratch;
    scratch.SetString("Plain", REG_SZ, std::string("1.2.3\0", 6));
    scratch.SetString("Unterminated", REG_SZ, "abc");  // stored without a terminator
    scratch.SetString("Expand", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 10));
    scratch.SetString("Multi", REG_MULTI_SZ, std::string("first\0second\0\0", 14));
    scratch.SetString("Empty", REG_SZ, std::string("\0", 1));
    DWORD number = 5;
    scratch.Set("Number", REG_DWORD, &number, 4);

    vessa::RegReader reader;
    ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, scratch.Path()));
    struct Case {
        const char* name;
        bool ok;
        const char* text;
    };
    const Case cases[] = {
        {"Plain", true, "1.2.3"},        {"Unterminated", true, "abc"}, {"Expand", true, "%TEMP%\\x"},
        {"Multi", true, "first"},        {"Empty", true, ""},           {"Number", false, "untouched"},
        {"Missing", false, "untouched"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out = "untouched";
        EXPECT_EQ(reader.ReadString(c.name, out), c.ok);
        EXPECT_EQ(out, c.text);
    }
}

TEST(Registry, ReadDwordChangesTheValueOnlyForARealDword)
{
    ScratchKey scratch;
    DWORD stored = 0x12345678;
    scratch.Set("Dword", REG_DWORD, &stored, 4);
    scratch.SetString("Text", REG_SZ, std::string("1\0", 2));
    const BYTE two[2] = {1, 2};
    scratch.Set("Binary2", REG_BINARY, two, 2);
    const BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    scratch.Set("Binary8", REG_BINARY, eight, 8);
    scratch.Set("ShortDword", REG_DWORD, two, 2);

    vessa::RegAccessor accessor;
    ASSERT_TRUE(accessor.Open(HKEY_CURRENT_USER, scratch.Path(), false));
    DWORD value = 7;
    EXPECT_TRUE(accessor.ReadDword("Dword", &value));
    EXPECT_EQ(value, 0x12345678u);
    for (const char* name : {"Text", "Binary2", "Binary8", "ShortDword", "Missing"}) {
        SCOPED_TRACE(name);
        value = 7;
        EXPECT_FALSE(accessor.ReadDword(name, &value));
        EXPECT_EQ(value, 7u);
    }
}

TEST(Registry, AccessorCreatesWritesAndReadsBack)
{
    ScratchKey scratch;
    std::string sub = std::string(scratch.Path()) + "\\Brannock3\\Advance";
    vessa::RegAccessor accessor;
    EXPECT_FALSE(accessor.Open(HKEY_CURRENT_USER, sub.c_str(), false));
    EXPECT_FALSE(accessor.IsOpen());
    // A failed open leaves the object usable.
    ASSERT_TRUE(accessor.Open(HKEY_CURRENT_USER, sub.c_str(), true));
    EXPECT_TRUE(accessor.IsOpen());
    EXPECT_TRUE(accessor.WriteDword("CalibrationNeeded", 1));
    accessor.Close();
    EXPECT_FALSE(accessor.IsOpen());

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0, value = 0, size = 4;
    EXPECT_EQ(RegQueryValueExA(key, "CalibrationNeeded", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 1u);

    // A number is no string.
    ASSERT_TRUE(accessor.Open(HKEY_CURRENT_USER, sub.c_str(), false));
    std::string text;
    EXPECT_FALSE(accessor.ReadString("CalibrationNeeded", text));
    DWORD back = 0;
    EXPECT_TRUE(accessor.ReadDword("CalibrationNeeded", &back));
    EXPECT_EQ(back, 1u);
}

TEST(Registry, ReaderOfAMissingKeyStaysClosedAndCanOpenAgain)
{
    ScratchKey scratch;
    std::string missing = std::string(scratch.Path()) + "\\Nope";
    vessa::RegReader reader;
    EXPECT_FALSE(reader.Open(HKEY_CURRENT_USER, missing.c_str()));
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_TRUE(reader.Open(HKEY_CURRENT_USER, scratch.Path()));
    reader.Close();
    reader.Close();  // closing a closed key is harmless
    EXPECT_FALSE(reader.IsOpen());
}

TEST(Registry, OpeningAnOpenKeyStopsTheProgram)
{
    auto run = zxtest::RunChild("open_twice");
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_NE(run.output.find("!IsOpen()"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("vessa/System/Source/WinRegistry.cpp"), std::string::npos) << run.output;
}
