// Ini access and the language files: the language chosen from the system
// language id, texts with the English fallback, long values, edits between
// lookups, and the deliverable's own instance reading its program folder.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "TestFiles.h"
#include "TestPaths.h"
#include "TestProcess.h"
#include "vessa/System/IniAccess.h"
#include "vessa/System/KyMultiLang.h"
#include "vessa/System/VessaAssert.h"

namespace {

LANGID g_languageId = 0x0409;
LANGID WINAPI TestLanguageId()
{
    return g_languageId;
}

// A program folder with language files written as the test needs them.
class LanguageFolder {
public:
    std::string Folder() const { return m_temp.Path() + "\\"; }
    void WriteIndex(const std::string& languagesSection)
    {
        Write("LangFiles\\KyMultiLang.ini", "[Languages]\r\n" + languagesSection);
    }
    void WriteLanguage(const std::string& name, const std::string& translations)
    {
        CreateDirectoryA((Folder() + "LangFiles").c_str(), nullptr);
        CreateDirectoryA((Folder() + "LangFiles\\" + name).c_str(), nullptr);
        Write("LangFiles\\" + name + "\\" + name + ".ini", "[Translations]\r\n" + translations);
    }
    vessa::KyMultiLang Languages(LANGID id) const
    {
        g_languageId = id;
        return vessa::KyMultiLang(Folder(), &TestLanguageId);
    }

private:
    void Write(const std::string& relative, const std::string& text)
    {
        CreateDirectoryA((Folder() + "LangFiles").c_str(), nullptr);
        ASSERT_TRUE(zxtest::WriteWholeFile(Folder() + relative, text));
    }
    zxtest::TempFolder m_temp;
};

}  // namespace

TEST(LanguageIdKey, WritesExactlyTheAskedDigitsInUpperCase)
{
    EXPECT_EQ(vessa::LanguageIdKey(0x0409, 4), "0409");
    EXPECT_EQ(vessa::LanguageIdKey(0x0C07, 4), "0C07");
    EXPECT_EQ(vessa::LanguageIdKey(0x0411 & 0x3FF, 2), "11");
    EXPECT_EQ(vessa::LanguageIdKey(0x03FF, 2), "FF");  // only the low eight bits
}

TEST(KyMultiLang, ChoosesTheLanguageFromTheSystemLanguageId)
{
    struct Case {
        const char* name;
        LANGID id;
        const char* index;  // null: no index file
        const char* language;
    };
    const Case cases[] = {
        {"four-digit key", 0x0411, "0411=Japanese\r\n11=Other\r\n", "Japanese"},
        {"two-digit key when the four-digit one misses", 0x0C07, "07=German\r\n", "German"},
        {"neither key", 0x0409, "0411=Japanese\r\n", "English"},
        {"no index file", 0x0411, nullptr, "English"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LanguageFolder folder;
        if (c.index != nullptr)
            folder.WriteIndex(c.index);
        vessa::KyMultiLang languages = folder.Languages(c.id);
        EXPECT_EQ(languages.GetLanguage(), c.language);
        EXPECT_EQ(languages.GetLanguageFile(),
                  folder.Folder() + "LangFiles\\" + c.language + "\\" + c.language + ".ini");
    }
}

TEST(KyMultiLang, TranslatesWithTheEnglishFileAsFallback)
{
    LanguageFolder folder;
    folder.WriteIndex("0411=Japanese\r\n0C07=Klingon\r\n");
    folder.WriteLanguage("Japanese", "Apply=Tekiyou\r\nEmpty=\r\n");
    folder.WriteLanguage("English", "Apply=Apply now\r\nOnlyEnglish=From English\r\n");
    const std::string long300(300, 'x');
    folder.WriteLanguage("German", "Long=" + long300 + "\r\n");

    struct Case {
        const char* name;
        LANGID id;
        const char* key;
        std::string text;
    };
    const Case cases[] = {
        {"in the language file", 0x0411, "Apply", "Tekiyou"},
        {"an empty text is a text", 0x0411, "Empty", ""},
        {"only in English.ini", 0x0411, "OnlyEnglish", "From English"},
        {"in neither file", 0x0411, "Nowhere", vessa::kMissingText},
        {"null key", 0x0411, nullptr, vessa::kMissingText},
        {"language without its file", 0x0C07, "Apply", "Apply now"},
        {"English itself", 0x0409, "Apply", "Apply now"},
        {"a 300-character value", 0x0407, "Long", long300},
    };
    folder.WriteIndex("0411=Japanese\r\n0C07=Klingon\r\n07=German\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(folder.Languages(c.id).Translate(c.key), c.text);
    }
}

TEST(KyMultiLang, SeesAFileEditedBetweenTwoLookups)
{
    LanguageFolder folder;
    folder.WriteLanguage("English", "Apply=First\r\n");
    vessa::KyMultiLang languages = folder.Languages(0x0409);
    EXPECT_EQ(languages.Translate("Apply"), "First");
    folder.WriteLanguage("English", "Apply=Again\r\n");  // same size, same second
    EXPECT_EQ(languages.Translate("Apply"), "Again");
    folder.WriteLanguage("English", "Other=1\r\n");
    EXPECT_EQ(languages.Translate("Apply"), vessa::kMissingText);
}

TEST(KyMultiLang, WithoutAnyLanguageFileEveryTextIsTheMissValue)
{
    LanguageFolder folder;
    EXPECT_EQ(folder.Languages(0x0411).Translate("Apply"), vessa::kMissingText);
}

// ---- IniAccessor ----

TEST(IniAccessor, ReadsValuesAndGrowsForLongOnes)
{
    zxtest::TempFolder temp;
    const std::string path = temp.File("values.ini");
    std::string sections;
    for (int i = 0; i < 40; ++i)
        sections += "[Section" + std::to_string(i) + "]\r\nk=v\r\n";
    const std::string value600(600, 'q');
    ASSERT_TRUE(zxtest::WriteWholeFile(path, "[A]\r\nshort=hello\r\nlong=" + value600 + "\r\n" + sections));

    vessa::IniAccessor ini;
    ASSERT_TRUE(ini.Open(path));
    EXPECT_TRUE(ini.IsOpen());
    EXPECT_EQ(ini.ReadString("A", "short", "d"), "hello");
    EXPECT_EQ(ini.ReadString("A", "long", "d"), value600);
    EXPECT_EQ(ini.ReadString("A", "missing", "d"), "d");
    EXPECT_EQ(ini.ReadString("A", "short", "d"), "hello");  // the grown buffer serves later reads

    // A null section lists the section names, each ended by a zero.
    std::string names = ini.ReadString(nullptr, nullptr, "");
    EXPECT_EQ(names.substr(0, 2), std::string("A\0", 2));
    EXPECT_NE(names.find(std::string("Section39\0", 10)), std::string::npos);

    ini.Close();
    EXPECT_FALSE(ini.IsOpen());
    ini.Close();  // closing twice is harmless
}

TEST(IniAccessor, AClosedAccessorAnswersWithTheDefault)
{
    vessa::IniAccessor ini;
    EXPECT_EQ(ini.ReadString("A", "key", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadString("A", "key", nullptr), "");
}

TEST(IniAccessor, OpensAMissingFileAndReadsDefaults)
{
    zxtest::TempFolder temp;
    vessa::IniAccessor ini;
    ASSERT_TRUE(ini.Open(temp.File("absent.ini")));
    EXPECT_EQ(ini.ReadString("A", "key", "fallback"), "fallback");
}

ZX_TEST_CHILD(ini_open_twice)
{
    vessa::IniAccessor ini;
    ini.Open("a.ini");
    ini.Open("a.ini");
    return 0;
}

TEST(IniAccessor, OpeningAnOpenAccessorStopsOnTheAssertion)
{
    zxtest::ProcessResult result = zxtest::RunChild("ini_open_twice", {{"VESSA_ASSERT_SILENT", "1"}});
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, vessa::kAssertExitCode);
    EXPECT_NE(result.output.find("!IsOpen(), file IniAccess, line 362"), std::string::npos) << result.output;
}

// ---- The deliverable's instance ----

ZX_TEST_CHILD(print_translation)
{
    std::printf("language=%s text=%s\n", vessa::KyMultiLang::Instance().GetLanguage().c_str(),
                vessa::KyMultiLang::Instance().Translate("Greeting").c_str());
    return 0;
}

TEST(KyMultiLang, InstanceReadsTheRunningProgramsFolderAndSystemLanguage)
{
    LanguageFolder folder;
    folder.WriteIndex(vessa::LanguageIdKey(GetSystemDefaultLangID(), 4) + "=Testish\r\n");
    folder.WriteLanguage("Testish", "Greeting=Hallo from Testish\r\n");
    zxtest::ProcessResult result = zxtest::RunChildCopy(folder.Folder() + "copy.exe", "print_translation");
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_NE(result.output.find("language=Testish text=Hallo from Testish"), std::string::npos) << result.output;
}
