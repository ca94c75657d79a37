// Appearances load and copy a control's state images; font colours hold
// caption colours per state and tell their control of real changes only.

#include <string>
#include <vector>

#include "KyFixture.h"
#include "TestPaths.h"
#include "KyPackage/Source/KyButton.h"
#include "KyPackage/Source/KyCheckBox.h"
#include "KyPackage/Source/KyRadioButton.h"

using kytest::KyFixture;
using kytest::ShownImage;
using kytest::Solid;
using kytest::StateColor;

namespace {

// A folder of bitmap files named after the state they mark ("0.bmp" ...).
class SkinFolder {
public:
    SkinFolder() : path(folder.Path())
    {
        for (int i = 0; i < 12; ++i)
            Solid(16, 16, static_cast<TColor>(StateColor(i)))->SaveToFile(folder.File(std::to_string(i) + ".bmp"));
    }
    zxtest::TempFolder folder;
    std::string path;
};

COLORREF PixelOf(TBitmap* bitmap)
{
    return bitmap->Empty() ? CLR_INVALID : bitmap->Canvas()->Pixel(1, 1);
}

}  // namespace

TEST_F(KyFixture, LoadBitmapsReadsFromTheFolderAndSkipsEmptyNames)
{
    SkinFolder skins;
    auto* button = Place<KyButton>();
    EXPECT_TRUE(button->LoadBitmapA(skins.path, "0.bmp", "1.bmp", "2.bmp", "3.bmp"));
    EXPECT_EQ(button->Width(), 16);
    EXPECT_EQ(PixelOf(button->Appearance()->SunkenBmp()), StateColor(1));
    EXPECT_EQ(button->TransparentColor(), static_cast<TColor>(StateColor(0))) << "from image 0";

    // A trailing backslash is kept as it is; an empty name keeps the image.
    EXPECT_TRUE(button->LoadBitmapA(skins.path + "\\", "4.bmp", "", "5.bmp", ""));
    EXPECT_EQ(PixelOf(button->Appearance()->RaisedBmp()), StateColor(4));
    EXPECT_EQ(PixelOf(button->Appearance()->SunkenBmp()), StateColor(1));
    EXPECT_EQ(PixelOf(button->Appearance()->FocusedBmp()), StateColor(5));
    EXPECT_EQ(PixelOf(button->Appearance()->DisabledBmp()), StateColor(3));
}

TEST_F(KyFixture, ABareDriveIsUsedAsItIs)
{
    SkinFolder skins;
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(skins.path.c_str()));
    auto* button = Place<KyButton>();
    // "Z:6.bmp" names 6.bmp in the drive's current folder.
    EXPECT_TRUE(button->LoadBitmapA(skins.path.substr(0, 2), "6.bmp", "", "", ""));
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(PixelOf(button->Appearance()->RaisedBmp()), StateColor(6));
}

TEST_F(KyFixture, AnUnreadableFileRaisesBeforeAnyImageChanges)
{
    SkinFolder skins;
    auto* button = Place<KyButton>();
    button->LoadBitmapA(skins.path, "0.bmp", "1.bmp", "", "");
    EXPECT_THROW(button->LoadBitmapA(skins.path, "2.bmp", "missing.bmp", "", ""), Exception);
    EXPECT_EQ(PixelOf(button->Appearance()->RaisedBmp()), StateColor(0));
    EXPECT_EQ(PixelOf(button->Appearance()->SunkenBmp()), StateColor(1));
}

TEST_F(KyFixture, AssignCopiesThePixelsBetweenControls)
{
    auto* source = Place<KyButton>();
    auto* target = Place<KyButton>(60, 10);
    kytest::LoadSolidStates(source, {0, 1, 2, 3});
    target->SetAppearance(source->Appearance());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(PixelOf(target->GetStateBitmap(i)), StateColor(i)) << i;
    EXPECT_NE(target->GetStateBitmap(1), source->GetStateBitmap(1));
    EXPECT_EQ(target->Width(), 24);

    source->GetStateBitmap(1)->Assign(Solid(24, 24, clRed).get());
    EXPECT_EQ(PixelOf(target->GetStateBitmap(1)), StateColor(1)) << "later changes stay with the source";
}

TEST_F(KyFixture, GroupAppearancesCopyEveryGroupAndRefuseOtherClasses)
{
    auto* source = Place<KyCheckBox>();
    auto* target = Place<KyCheckBox>(60, 10);
    kytest::LoadSolidStates(source, {0, 4, 9});
    target->SetAppearance(source->Appearance());
    EXPECT_EQ(PixelOf(target->GetStateBitmap(4)), StateColor(4));
    EXPECT_EQ(PixelOf(target->GetStateBitmap(9)), StateColor(9));

    auto* radio = Place<KyRadioButton>(100, 10);
    EXPECT_THROW(radio->Appearance()->Assign(source->Appearance()), EInvalidCast);
    KyFourStateAppearance* group = source->Appearance()->Check();
    EXPECT_THROW(radio->Appearance()->Assign(group), EInvalidCast);
    EXPECT_NO_THROW(radio->Appearance()->Check()->Assign(group));
    EXPECT_EQ(PixelOf(radio->GetStateBitmap(4)), StateColor(4));
}

TEST(KyFontColor, ASetterFiresOnlyOnARealChangeAndAssignFiresOnce)
{
    int changes = 0;
    KyFourStateFontColor colors;
    colors.SetOnChange(TNotifyEvent::FromFunction([&](TObject*) { ++changes; }));
    EXPECT_EQ(colors.Raised(), kNoFontColor);
    colors.SetSunken(clRed);
    colors.SetSunken(clRed);
    EXPECT_EQ(changes, 1);

    KyFourStateFontColor other;
    other.SetRaised(clBlue);
    other.SetDisabled(clGreen);
    colors.Assign(&other);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(colors.Raised(), clBlue);
    EXPECT_EQ(colors.Sunken(), kNoFontColor);
    EXPECT_EQ(colors.Disabled(), clGreen);

    KyThreeStateFontColor three;
    EXPECT_THROW(three.Assign(&other), EInvalidCast);

    KyTwoStateFontColor two, twoSource;
    int twoChanges = 0;
    two.SetOnChange(TNotifyEvent::FromFunction([&](TObject*) { ++twoChanges; }));
    twoSource.SetFocused(clRed);
    two.Assign(&twoSource);
    EXPECT_EQ(twoChanges, 1);
    EXPECT_EQ(two.Focused(), clRed);
    EXPECT_EQ(two.Disabled(), kNoFontColor);
}

TEST(KyFontColor, TheCheckBoxSetSharesOneHandlerAcrossItsMembers)
{
    int changes = 0;
    KyCheckBoxFontColor colors;
    TNotifyEvent handler = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    colors.SetOnChange(handler);
    EXPECT_TRUE(colors.GetOnChange() == handler);
    colors.Check()->SetFocused(clRed);
    colors.Gray()->SetRaised(clRed);
    colors.Uncheck()->SetSunken(clRed);
    EXPECT_EQ(changes, 3);

    KyCheckBoxFontColor copy;
    int copyChanges = 0;
    copy.SetOnChange(TNotifyEvent::FromFunction([&](TObject*) { ++copyChanges; }));
    copy.Assign(&colors);
    EXPECT_EQ(copyChanges, 3) << "each member fires its own";
    EXPECT_EQ(copy.Check()->Focused(), clRed);
}

TEST(KyFontColor, PickRulesOfTheThreeAndFourStateSets)
{
    constexpr TColor font = 0x010203;
    KyThreeStateFontColor three;
    KyFourStateFontColor four;
    struct Case {
        const char* name;
        int visual;
        TColor threeExpected;
        TColor fourExpected;
    };
    // Nothing set.
    const Case unset[] = {
        {"raised", 0, font, font},
        {"sunken", 1, font, font},
        {"focused", 2, font, font},
        {"disabled", 3, clGrayText, clGrayText},
    };
    for (const Case& c : unset) {
        EXPECT_EQ(GetFontColorFromThreeState(&three, c.visual, font), c.threeExpected) << c.name;
        EXPECT_EQ(GetFontColorFromFourState(&four, c.visual, font), c.fourExpected) << c.name;
    }
    // Only the raised colour set: four-state falls back to it, three-state has none.
    four.SetRaised(clRed);
    const Case raisedOnly[] = {
        {"raised", 0, font, clRed},
        {"sunken", 1, font, clRed},
        {"focused", 2, font, clRed},
        {"disabled", 3, clGrayText, clGrayText},
    };
    for (const Case& c : raisedOnly)
        EXPECT_EQ(GetFontColorFromFourState(&four, c.visual, font), c.fourExpected) << c.name;
    three.SetSunken(clBlue);
    three.SetDisabled(clLime);
    four.SetFocused(clBlue);
    EXPECT_EQ(GetFontColorFromThreeState(&three, 1, font), clBlue);
    EXPECT_EQ(GetFontColorFromThreeState(&three, 3, font), clLime);
    EXPECT_EQ(GetFontColorFromFourState(&four, 2, font), clBlue);
}
