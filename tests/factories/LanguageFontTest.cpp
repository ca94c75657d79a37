// The buttons take the Japanese font character set when the program's
// language is Japanese: run in a copy of this program whose language files
// map the system's language to Japanese (or to another language).

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "TestFiles.h"
#include "TestPaths.h"
#include "TestProcess.h"
#include "app/controls/ControlFactory.h"
#include "app/skin/SkinFiles.h"
#include "platform/vcl/Form.h"
#include "vessa/System/KyMultiLang.h"

namespace {

// Buttons without pictures need no skin files.
ZX_TEST_CHILD(button_charsets)
{
    auto form = std::make_unique<TForm>(nullptr);
    SkinHost host;
    host.form = form.get();
    SetSkinHost(&host);
    const char* const none[] = {nullptr, nullptr, nullptr, nullptr};
    AlphaButton* button = nullptr;
    AlphaButton* core = nullptr;
    CreateAlphaButton(button, 1, 1, none, "Apply", nullptr, false);
    CreateCoreAlphaButton(core, 1, 1, none, "Undo", nullptr, false);
    std::printf("button=%d core=%d\n", button->Font()->Charset(), core->Font()->Charset());
    std::fflush(stdout);
    SetSkinHost(nullptr);
    return 0;
}

TEST(ButtonFont, TheJapaneseLanguageTakesTheJapaneseCharacterSet)
{
    const struct {
        const char* language;
        int charset;
    } cases[] = {{"Japanese", vessa::kJapaneseCharSet}, {"German", DEFAULT_CHARSET}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        zxtest::TempFolder folder;
        std::string langFiles = folder.File("LangFiles");
        ASSERT_TRUE(CreateDirectoryA(langFiles.c_str(), nullptr));
        ASSERT_TRUE(zxtest::WriteWholeFile(zxtest::JoinPath(langFiles, "KyMultiLang.ini"),
                                           "[Languages]\r\n" + vessa::LanguageIdKey(GetSystemDefaultLangID(), 4) + "=" +
                                               c.language + "\r\n"));
        zxtest::ProcessResult run = zxtest::RunChildCopy(folder.File("copy.exe"), "button_charsets");
        ASSERT_TRUE(run.started);
        EXPECT_EQ(0u, run.exitCode) << run.output;
        char expected[64];
        std::snprintf(expected, sizeof expected, "button=%d core=%d", c.charset, c.charset);
        EXPECT_NE(std::string::npos, run.output.find(expected)) << run.output;
    }
}

}  // namespace
