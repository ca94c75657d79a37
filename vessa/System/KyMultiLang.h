#pragma once
// Texts by English key from the language files under the program folder's
// "LangFiles":
//   LangFiles\KyMultiLang.ini   section "Languages": language id → name
//   LangFiles\<name>\<name>.ini section "Translations": English key → text
// The language follows the system default language id (four hex digits,
// then the primary language as two), else "English"; a key the language
// file lacks comes from the English file. Nothing is cached: every lookup
// reads the files again, so an edited file takes effect at once.

#include <windows.h>

#include <string>

namespace vessa {

// What a lookup gives when no file holds the key; callers show it unchanged.
constexpr const char kMissingText[] = "Error 737";
constexpr const char kEnglishLanguage[] = "English";
// Languages that change how windows are built.
constexpr const char kJapaneseLanguage[] = "Japanese";  // fonts take kJapaneseCharSet
constexpr const char kGermanLanguage[] = "German";
constexpr BYTE kJapaneseCharSet = 128;  // Shift-JIS

// `value` as exactly `digits` upper-case hex digits, most significant first
// (0x0409 as 4 digits is "0409", 0x0411 as 2 digits is "11").
std::string LanguageIdKey(unsigned value, int digits);

class KyMultiLang {
public:
    using LanguageIdSource = LANGID(WINAPI*)();

    // The deliverable's one object: the running program's folder and the
    // system default language id.
    static KyMultiLang& Instance();

    // Language files below `programFolder` (with its trailing "\" or empty)
    // for the language id that `languageId` gives.
    KyMultiLang(std::string programFolder, LanguageIdSource languageId);

    std::string GetLanguage() const;
    std::string GetLanguageFile() const;
    // The text for the English key; kMissingText when neither file has it
    // or the key is null.
    std::string Translate(const char* key) const;

private:
    std::string LangFilesFolder() const;
    std::string GetEnglishFolder() const;
    static std::string ReadTranslation(const std::string& iniFile, const char* key);

    std::string m_programFolder;
    LanguageIdSource m_languageId;
};

}  // namespace vessa
