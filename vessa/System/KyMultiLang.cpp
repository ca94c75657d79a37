#include "vessa/System/KyMultiLang.h"

#include "vessa/System/IniAccess.h"
#include "vessa/fileutl/Source/PathUtility.h"

namespace vessa {

namespace {

constexpr const char kLangFilesFolder[] = "LangFiles\\";
constexpr const char kIndexFile[] = "KyMultiLang.ini";
constexpr const char kLanguagesSection[] = "Languages";
constexpr const char kTranslationsSection[] = "Translations";

}  // namespace

std::string LanguageIdKey(unsigned value, int digits)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string key(static_cast<size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        key[static_cast<size_t>(i)] = kHex[value & 0xF];
    return key;
}

KyMultiLang& KyMultiLang::Instance()
{
    static KyMultiLang* instance = new KyMultiLang(GetProgramFolder(), &GetSystemDefaultLangID);
    return *instance;
}

KyMultiLang::KyMultiLang(std::string programFolder, LanguageIdSource languageId)
    : m_programFolder(std::move(programFolder)), m_languageId(languageId)
{
}

std::string KyMultiLang::LangFilesFolder() const
{
    return m_programFolder + kLangFilesFolder;
}

std::string KyMultiLang::GetEnglishFolder() const
{
    return LangFilesFolder() + kEnglishLanguage + "\\";
}

std::string KyMultiLang::GetLanguage() const
{
    const LANGID id = m_languageId();
    IniAccessor index;
    index.Open(LangFilesFolder() + kIndexFile);  // a closed accessor answers with the default
    std::string name = index.ReadString(kLanguagesSection, LanguageIdKey(id, 4).c_str(), kMissingText);
    if (name == kMissingText)
        name = index.ReadString(kLanguagesSection, LanguageIdKey(id & 0x3FF, 2).c_str(), kMissingText);
    index.Close();
    return name == kMissingText ? std::string(kEnglishLanguage) : name;
}

std::string KyMultiLang::GetLanguageFile() const
{
    const std::string name = GetLanguage();
    return LangFilesFolder() + name + "\\" + name + ".ini";
}

std::string KyMultiLang::Translate(const char* key) const
{
    if (key == nullptr)  // a null key would read the list of all keys
        return kMissingText;
    std::string text = ReadTranslation(GetLanguageFile(), key);
    if (text == kMissingText)
        text = ReadTranslation(GetEnglishFolder() + kEnglishLanguage + ".ini", key);
    return text;
}

std::string KyMultiLang::ReadTranslation(const std::string& iniFile, const char* key)
{
    IniAccessor file;
    if (!file.Open(iniFile))
        return kMissingText;
    std::string text = file.ReadString(kTranslationsSection, key, kMissingText);
    file.Close();
    return text;
}

}  // namespace vessa
