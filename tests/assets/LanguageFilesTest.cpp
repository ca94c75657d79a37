// The language files as the programs read them: through the system's
// private-profile functions, which also decide how quotes and blanks in a
// value come back.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "TestFiles.h"
#include "TestPaths.h"

namespace {

const char* const kMiss = "Error 737";

std::string ReadIni(const std::string& file, const char* section, const std::string& key)
{
    char text[4096];
    GetPrivateProfileStringA(section, key.c_str(), kMiss, text, sizeof text, file.c_str());
    return text;
}

std::string EnglishFile()
{
    return zxtest::JoinPath(zxtest::DistDir(), "LangFiles\\English\\English.ini");
}

std::string Translation(const std::string& key)
{
    return ReadIni(EnglishFile(), "Translations", key);
}

}  // namespace

TEST(LanguageFiles, IndexChoosesEnglishForEnglishSystems)
{
    const std::string index = zxtest::JoinPath(zxtest::DistDir(), "LangFiles\\KyMultiLang.ini");
    EXPECT_EQ(ReadIni(index, "Languages", "0409"), "English");
    EXPECT_EQ(ReadIni(index, "Languages", "09"), "English");
}

TEST(LanguageFiles, EnglishHasATextForEveryKeyTheProgramsLookUp)
{
    const auto lines = zxtest::ReadLines(zxtest::JoinPath(zxtest::SourceDir(), "tests\\assets\\text_keys.txt"));
    int keys = 0;
    for (const std::string& key : lines) {
        if (key.empty() || key[0] == '#')
            continue;
        ++keys;
        const std::string text = Translation(key);
        EXPECT_NE(text, kMiss) << key;
        EXPECT_FALSE(text.empty()) << key;
    }
    EXPECT_GT(keys, 0) << "the key list was read";
}

TEST(LanguageFiles, ContinuedTextsJoinWithOneSpace)
{
    // The program appends these texts to the first one without a separator.
    const struct {
        const char* first;
        const char* second;
    } joins[] = {
        {"ApplyWarn", "OxlenWarn"},
        {"DangerWarn", "AskContinue"},
    };
    for (const auto& join : joins) {
        const std::string first = Translation(join.first);
        const std::string second = Translation(join.second);
        ASSERT_FALSE(first.empty()) << join.first;
        ASSERT_GE(second.size(), 2u) << join.second;
        EXPECT_NE(first.back(), ' ') << join.first;
        EXPECT_EQ(second[0], ' ') << join.second;
        EXPECT_NE(second[1], ' ') << join.second;
        EXPECT_EQ(second.find('"'), std::string::npos) << join.second << " keeps no quotes";
    }
}
