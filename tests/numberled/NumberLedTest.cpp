// One digit position: each family reads its own folder in entry order once
// per process, a position's image is made as the bars need it, and an entry
// outside the family (or a picture that could not be read) shows nothing
// instead of reading past the table or stopping the program.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "BitmapPixels.h"
#include "DigitFamilies.h"
#include "KyPackage/Source/KyImage.h"
#include "OffscreenPaint.h"
#include "TestFiles.h"
#include "TestPaths.h"
#include "TestProcess.h"
#include "platform/vcl/Form.h"

using numberled::Family;

namespace {

class NumberLedTest : public ::testing::Test {
protected:
    void SetUp() override { form = numberled::MakeForm(120, 60, clBlack); }
    void TearDown() override { delete form; }
    std::unique_ptr<NumberLed> Created(const Family& family)
    {
        std::unique_ptr<NumberLed> digit(family.make());
        digit->Create(form);
        return digit;
    }

    TForm* form = nullptr;
};

}  // namespace

TEST_F(NumberLedTest, EachFamilyReadsItsFolderInEntryOrder)
{
    for (const Family* family : numberled::AllFamilies()) {
        SCOPED_TRACE(family->name);
        std::unique_ptr<NumberLed> digit = Created(*family);
        std::string folder;
        digit->GetFolder(folder);
        EXPECT_EQ(folder, family->folder);
        ASSERT_EQ(digit->EntryCount(), family->entries);
        for (int entry = 0; entry < family->entries; ++entry) {
            TBitmap& expected = numberled::EntryPicture(*family, entry);
            ASSERT_GT(expected.Width(), 0) << numberled::EntryFile(*family, entry);
            EXPECT_TRUE(zxtest::SamePixels(*(*digit->GetBitmaps())[static_cast<size_t>(entry)], expected))
                << "entry " << entry << " is not " << numberled::EntryFile(*family, entry);
        }
    }
}

TEST_F(NumberLedTest, AFamilysPicturesAreSharedAndOutliveItsPositions)
{
    DigitBitmaps* shared = nullptr;
    {
        std::unique_ptr<NumberLed> first = Created(numberled::kMiddle);
        std::unique_ptr<NumberLed> second = Created(numberled::kMiddle);
        shared = first->GetBitmaps();
        EXPECT_EQ(second->GetBitmaps(), shared);
        EXPECT_NE(Created(numberled::kLarge)->GetBitmaps(), shared);
    }
    std::unique_ptr<NumberLed> later = Created(numberled::kMiddle);
    EXPECT_EQ(later->GetBitmaps(), shared);
}

TEST_F(NumberLedTest, CreateMakesAnAlphaImageOfTheOwnerShowingDigitZero)
{
    const int components = form->ComponentCount();
    std::unique_ptr<NumberLed> digit = Created(numberled::kLarge);
    KyImage* image = digit->Image();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Owner(), form);
    EXPECT_EQ(image->Parent(), form);
    EXPECT_TRUE(image->AutoSize());
    EXPECT_TRUE(image->AlphaChannel());
    EXPECT_TRUE(image->ControlStyle() & csOpaque);
    EXPECT_EQ(digit->Digit(), 0);
    TBitmap& zero = numberled::EntryPicture(numberled::kLarge, 0);
    EXPECT_EQ(image->Width(), zero.Width());
    EXPECT_EQ(image->Height(), zero.Height());
    EXPECT_TRUE(zxtest::SamePixels(*image->Picture()->Bitmap(), zero));

    digit.reset();
    EXPECT_EQ(form->ComponentCount(), components) << "the image goes with its position";
}

TEST_F(NumberLedTest, SetDigitShowsAnEntryOrNothingOutsideTheFamily)
{
    struct Case {
        const Family* family;
        int index;
        bool shown;
    } cases[] = {
        {&numberled::kLarge, 7, true},   {&numberled::kLarge, 21, true},  {&numberled::kLarge, 22, false},
        {&numberled::kLarge, -1, false}, {&numberled::kSmall, 9, true},   {&numberled::kSmall, 10, false},
        {&numberled::kSmall, 20, false}, {&numberled::kGreen, 19, false}, {&numberled::kMiddle, 20, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.family->name) + " entry " + std::to_string(c.index));
        std::unique_ptr<NumberLed> digit = Created(*c.family);
        digit->SetLeft(10);
        digit->SetTop(5);
        EXPECT_EQ(digit->SetDigit(c.index), c.shown);
        EXPECT_EQ(digit->Digit(), c.shown ? c.index : -1);
        zxtest::OffscreenPaint paint(form);
        if (c.shown) {
            TBitmap& picture = numberled::EntryPicture(*c.family, c.index);
            EXPECT_EQ(digit->Width(), picture.Width());
            EXPECT_EQ(digit->Image()->Height(), picture.Height());
            auto expected = numberled::Compose(120, 60, clBlack, {{&picture, 10, 5}});
            EXPECT_EQ(numberled::Difference(paint.Bitmap(), *expected, RECT{0, 0, 120, 60}), "");
        } else {
            EXPECT_EQ(digit->Width(), 0);
            EXPECT_EQ(digit->Image()->Height(), 0);
            auto black = numberled::Compose(120, 60, clBlack, {});
            EXPECT_EQ(numberled::Difference(paint.Bitmap(), *black, RECT{0, 0, 120, 60}), "");
        }
    }
}

TEST_F(NumberLedTest, PlacementAndVisibilityPassToTheImage)
{
    std::unique_ptr<NumberLed> digit = Created(numberled::kGreen);
    digit->SetLeft(31);
    digit->SetTop(17);
    digit->SetVisible(false);
    EXPECT_EQ(digit->Image()->Left(), 31);
    EXPECT_EQ(digit->Top(), 17);
    EXPECT_FALSE(digit->Image()->Visible());
    digit->SetVisible(true);
    EXPECT_TRUE(digit->Image()->Visible());
}

// ---- Files that are missing or do not decode ----

// Run from a copy of the test program in a folder whose skin folder lacks
// "Small_Numbers\07.png" and holds a damaged "03.png".
ZX_TEST_CHILD(damaged_small_family)
{
    std::unique_ptr<TForm> form(numberled::MakeForm(60, 40, clBlack));
    SmallNumberLed digit;      // goes before the form that owns its image
    digit.Create(form.get());  // reading the family must not throw
    int failures = digit.EntryCount() == 10 ? 0 : 1;
    for (int entry = 0; entry < 10; ++entry) {
        const bool broken = entry == 3 || entry == 7;
        const bool shown = digit.SetDigit(entry);
        // The pictures in the tests folder are whole.
        const int width = broken ? 0 : numberled::EntryPicture(numberled::kSmall, entry).Width();
        if (!shown || (!broken && width == 0) || digit.Width() != width) {
            std::printf("entry %d: shown %d width %d\n", entry, shown, digit.Width());
            ++failures;
        }
    }
    std::printf("failures=%d\n", failures);
    return failures;
}

TEST(NumberLedFiles, AMissingOrDamagedPictureLeavesAnEmptyEntry)
{
    zxtest::TempFolder folder;
    const std::string skins = folder.File("Resource");
    const std::string small = zxtest::JoinPath(skins, "Small_Numbers");
    ASSERT_TRUE(CreateDirectoryA(skins.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(small.c_str(), nullptr));
    const std::string source = zxtest::JoinPath(zxtest::TestDir(), "Resource\\Small_Numbers");
    for (int entry = 0; entry < 10; ++entry) {
        const std::string name = numberled::EntryFile(numberled::kSmall, entry);
        if (entry == 7)
            continue;
        if (entry == 3) {
            ASSERT_TRUE(zxtest::WriteWholeFile(zxtest::JoinPath(small, name), "\x89PNG\r\n\x1a\n broken"));
            continue;
        }
        ASSERT_TRUE(CopyFileA(zxtest::JoinPath(source, name).c_str(), zxtest::JoinPath(small, name).c_str(), FALSE));
    }
    ASSERT_TRUE(
        CopyFileA(zxtest::JoinPath(zxtest::TestDir(), "pngio.dll").c_str(), folder.File("pngio.dll").c_str(), FALSE));

    zxtest::ProcessResult run = zxtest::RunChildCopy(folder.File("copy.exe"), "damaged_small_family");
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("failures=0"), std::string::npos) << run.output;
}
