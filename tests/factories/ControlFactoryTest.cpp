// The factories: check boxes, radio buttons and images dressed from the
// program's skins, each state picture pre-blended over the picture beneath
// the control at the control's own place.

#include "FactoryFixture.h"
#include "app/controls/ControlFactory.h"

using factorytest::FactoryFixture;

namespace {

// Unchecked normal, pressed, over, unavailable, then checked.
const char* const kBoxSkins[] = {"right_n.png", "right_d.png", "right_o.png", "right_un.png",
                                 "left_n.png",  "left_d.png",  "left_o.png",  "left_un.png"};

// Every picture of a check or radio control shows its skin blended over
// the `red` pattern at `at`.
template <class Control>
void ExpectBlendedStates(Control* control, POINT at, BYTE red)
{
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(kBoxSkins[i]);
        TBitmap raw;
        ASSERT_TRUE(ReadSkinFile(kBoxSkins[i], &raw));
        EXPECT_TRUE(factorytest::ShowsBlend(*control->GetStateBitmap(i), raw, at, red));
    }
}

TEST_F(FactoryFixture, ACheckBoxTakesBothCheckStatesFromTheBackgroundAtItsPlace)
{
    KyCheckBoxTx* box = nullptr;
    CreateCheckBoxTx(box, 27, 207, kBoxSkins, "More settings", true);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(form.get(), box->Parent());
    EXPECT_EQ(27, box->Left());
    EXPECT_EQ(207, box->Top());
    EXPECT_EQ("Arial", box->Font()->Name());
    EXPECT_EQ("More settings", box->Hint());
    EXPECT_EQ(crHandPoint, box->Cursor());
    ExpectBlendedStates(box, POINT{27, 207}, factorytest::kBackgroundRed);

    Click(box);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(box->GetCanvas()->Pixel(2, 2), box->GetStateBitmap(6)->Canvas()->Pixel(2, 2) & 0xFFFFFF)
        << "checked and under the mouse";
}

TEST_F(FactoryFixture, RadioButtonsBlendOverTheBackgroundOrOverTheCorePicture)
{
    KyRadioButtonTx* captioned = nullptr;
    CreateRadioButtonTx(captioned, 100, 20, kBoxSkins, nullptr, false);
    EXPECT_EQ("Arial", captioned->Font()->Name());
    ExpectBlendedStates(captioned, POINT{100, 20}, factorytest::kBackgroundRed);

    // CoreBk sits inside the window: its own pixel (x − its left, y − its top).
    KyRadioButton* core = nullptr;
    CreateCoreRadioButton(core, 60, 50, kBoxSkins, "Core", false);
    EXPECT_EQ(60, core->Left());
    EXPECT_EQ(50, core->Top());
    EXPECT_EQ("Core", core->Hint());
    ExpectBlendedStates(core, POINT{60 - factorytest::kCoreOrigin.x, 50 - factorytest::kCoreOrigin.y},
                        factorytest::kCoreRed);
}

TEST_F(FactoryFixture, ACoreButtonKeepsItsCoreBlendThroughItsPlacing)
{
    const char* const skins[] = {"small_button01_n.png", "small_button01_d.png", "small_button01_o.png", nullptr};
    AlphaButton* button = nullptr;
    CreateCoreAlphaButton(button, 50, 60, skins, "Go", nullptr, false);
    EXPECT_EQ(50, button->Left());
    EXPECT_EQ("Go", button->GetText());
    EXPECT_EQ(0, button->GetStateBitmap(3)->Width()) << "a null name loads nothing";
    for (int i = 0; i < 3; ++i) {
        auto skin = Skin(skins[i]);
        EXPECT_TRUE(factorytest::ShowsBlend(*button->GetStateBitmap(i), *skin, POINT{10, 30}, factorytest::kCoreRed))
            << skins[i];
    }
}

TEST_F(FactoryFixture, SkinsLoadOverTheirPictureAndAMissingFileLeavesTheBitmap)
{
    struct Case {
        bool (*load)(const char*, TBitmap*, int, int);
        POINT at;
        POINT onPicture;
        BYTE red;
    };
    const Case cases[] = {
        {LoadSkinOverBackground, {12, 34}, {12, 34}, factorytest::kBackgroundRed},
        {LoadSkinOverMiddle, {12, 34}, {12, 34}, factorytest::kMiddleRed},
        {LoadSkinOverCore, {52, 64}, {12, 34}, factorytest::kCoreRed},
    };
    auto skin = Skin("dot_n.png");
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.red));
        TBitmap bitmap;
        ASSERT_TRUE(c.load("dot_n.png", &bitmap, c.at.x, c.at.y));
        EXPECT_TRUE(factorytest::ShowsBlend(bitmap, *skin, c.onPicture, c.red));

        TBitmap kept;
        kept.SetSize(3, 2);
        EXPECT_FALSE(c.load("no_such_skin.png", &kept, c.at.x, c.at.y));
        EXPECT_EQ(3, kept.Width());
    }
}

TEST_F(FactoryFixture, AnImageShowsItsSkinWithItsAlphaAtItsSize)
{
    KyImage* image = CreateKyImage(form.get(), 15, 25, "line01.png");
    auto skin = Skin("line01.png");
    EXPECT_EQ(form.get(), image->Parent());
    EXPECT_EQ(15, image->Left());
    EXPECT_EQ(25, image->Top());
    EXPECT_TRUE(image->AlphaChannel());
    EXPECT_EQ(skin->Width(), image->Width());
    EXPECT_EQ(skin->Height(), image->Height());

    KyImage* missing = CreateKyImage(form.get(), 15, 25, "no_such_skin.png");
    EXPECT_EQ(0, missing->Picture()->Bitmap()->Width());
}

TEST(ItemQueries, ADramItemHasThreeInBitsFourToSevenOfItsIndex)
{
    const struct {
        DWORD id;
        bool dram;
    } cases[] = {
        {0x03020032, true},  {0x03020030, true},  {0x0302003F, true},  {0x03020132, true},
        {0x03020012, false}, {0x03020040, false}, {0x03020003, false}, {0x30000000, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.dram, IsDramItem(c.id)) << std::hex << c.id;
}

}  // namespace
