// The build without contract checks: where the checked build stops, this
// one carries on safely.

#include <gtest/gtest.h>

#include "BoardItems.h"

namespace {

const char kBoard[] = R"([board]
info=0x03000000
[0x03080031]
name=Load line
strings=Low|Medium|High
[0x03010011]
name=FSB
base=10000
exponent=0
step=100
count=200
)";

TEST(ItemsWithoutChecks, StringIndexOutOfRangeGivesAnEmptyText)
{
    itemtest::BoardInUse use(kBoard);
    auto items = itemtest::CreateGroupItemsById(3);
    const BiosItemA& item = *items.at(0x03080031);
    EXPECT_EQ(item.IndexToString(3), "");
    EXPECT_EQ(item.IndexToString(-1), "");
    EXPECT_EQ(item.IndexToString(2), "High");
}

TEST(ItemsWithoutChecks, OpeningAnOpenWalkerStartsItAgain)
{
    itemtest::BoardInUse use(kBoard);
    GroupInfoTraverser walker;
    ASSERT_TRUE(walker.Open(3));
    walker.Next();
    EXPECT_EQ(walker.GetCurrentId(), 0x03010011u);
    ASSERT_TRUE(walker.Open(3));
    EXPECT_EQ(walker.GetCurrentId(), 0x03080031u);

    GroupInfo group;
    ASSERT_TRUE(group.Open(3));
    group.Next();
    ASSERT_TRUE(group.Open(3));
    EXPECT_EQ(group.GetPosition(), 0);
    EXPECT_EQ(group.GetCount(), 2);
}

}  // namespace
