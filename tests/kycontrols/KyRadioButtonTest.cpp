// Radio buttons: clicks only check, checking unchecks the siblings of the
// same class under the same parent, and a double click checks once.

#include <string>
#include <vector>

#include "KyFixture.h"
#include "KyPackage/Source/KyRadioButton.h"

using kytest::KyFixture;
using kytest::ShownImage;

TEST_F(KyFixture, CaptionedAndPlainRadioButtonsFormSeparateGroups)
{
    std::vector<KyRadioButtonTx*> captioned;
    for (int i = 0; i < 3; ++i) {
        captioned.push_back(Place<KyRadioButtonTx>(10 + 40 * i, 10));
        kytest::LoadSolidStates(captioned.back(), {0, 4});
    }
    auto* plain = Place<KyRadioButton>(10, 60);
    kytest::LoadSolidStates(plain, {0, 4});
    plain->SetChecked(true);
    captioned[0]->SetChecked(true);
    captioned[1]->SetChecked(true);
    EXPECT_FALSE(captioned[0]->Checked());

    Click(captioned[2]);
    EXPECT_FALSE(captioned[0]->Checked());
    EXPECT_FALSE(captioned[1]->Checked());
    EXPECT_TRUE(captioned[2]->Checked());
    EXPECT_TRUE(plain->Checked()) << "another class: not in the group";
    EXPECT_EQ(ShownImage(captioned[1]), 0);
    EXPECT_EQ(ShownImage(plain), 4);
}

TEST_F(KyFixture, ARadioButtonWithoutParentChecksAlone)
{
    KyRadioButton loose(nullptr);
    loose.SetChecked(true);
    EXPECT_TRUE(loose.Checked());
}

TEST_F(KyFixture, ClicksOnlyEverCheckAndFireEachTime)
{
    auto* radio = Place<KyRadioButton>();
    kytest::LoadSolidStates(radio, {0, 4});
    radio->OnClick = Logger("click");
    Click(radio);
    Click(radio);
    Type(radio, VK_SPACE);
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(log, (std::vector<std::string>{"click", "click", "click"}));
    radio->SetChecked(false);
    EXPECT_EQ(log.size(), 3u) << "code fires nothing";
}

TEST_F(KyFixture, ADoubleClickChecksOnceAndFiresClickThenDoubleClick)
{
    auto* radio = Place<KyRadioButton>();
    kytest::LoadSolidStates(radio, {0, 4});
    radio->OnClick = Logger("click");
    radio->OnDblClick = Logger("double");
    Click(radio);
    SendMessageA(radio->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    Release(radio, 2, 2);
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(log, (std::vector<std::string>{"click", "double"}));
}

TEST_F(KyFixture, EmptyCheckedImagesFallBackToCheckedRaisedThenImageZero)
{
    auto* radio = Place<KyRadioButton>();
    kytest::LoadSolidStates(radio, {0, 2, 4});
    MoveTo(radio, 3, 3);
    radio->SetChecked(true);
    EXPECT_EQ(ShownImage(radio), 4) << "empty checked-focused: checked-raised";
    radio->GetStateBitmap(4)->Assign(nullptr);
    EXPECT_EQ(ShownImage(radio), 0) << "empty checked-raised: image 0";
}

TEST_F(KyFixture, AWordWrappedCaptionTakesSeveralLines)
{
    auto* radio = Place<KyRadioButtonTx>();
    kytest::SetUpCaption(radio, 60, 60, "one two three");
    kytest::Ink single = kytest::InkOn(radio, kytest::StateColor(0), RGB(0, 0, 0));
    radio->SetWordWrap(true);
    kytest::Ink wrapped = kytest::InkOn(radio, kytest::StateColor(0), RGB(0, 0, 0));
    EXPECT_GT(wrapped.box.bottom - wrapped.box.top, 2 * (single.box.bottom - single.box.top));
    EXPECT_GE(wrapped.box.left, 0);
    EXPECT_LE(wrapped.box.right, 60);
}
