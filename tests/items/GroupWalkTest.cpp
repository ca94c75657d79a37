// Walking groups: BIOS order, item kinds, hidden items, lookups, and the
// failures a board can give (an unreadable descriptor or group).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoardItems.h"
#include "TestProcess.h"
#include "turboInfo_Intel/BiosInterface.h"
#include "vessa/System/VessaAssert.h"

namespace {

// Sections in BIOS order; deliberately not in id order.
const char kWalkBoard[] = R"([board]
info=0x03000000
[0x03010011]
name=CPU FSB Frequency
attributes=0
info=0x11
base=10000
exponent=0
step=100
count=200
value=5
[0x03060030]
name=Hidden setting
attributes=0x40000001
info=7
base=0
exponent=0
step=1
count=4
[0x03080031]
name=Load line
attributes=2
info=9
strings=Low|Medium|High
value=2
[0x03070032]
name=Spread spectrum
attributes=0
info=3
value=1
[0x03020012]
name=CPU Core Voltage
attributes=0
info=0x12
base=800
exponent=-2
step=25
count=40
[0x05080002]
name=Profiles
strings=One|Two|Three
[0x00060008]
name=Status
value=0x14
)";

std::vector<DWORD> IdsOf(const std::vector<itemtest::ItemPointer>& items)
{
    std::vector<DWORD> ids;
    for (const auto& item : items)
        ids.push_back(item->GetId());
    return ids;
}

TEST(GroupWalk, ItemsComeInBiosOrderWithKindsNamesAndHiddenFlags)
{
    itemtest::BoardInUse use(kWalkBoard);
    std::vector<itemtest::ItemPointer> items = itemtest::CreateGroupItems(3);
    ASSERT_EQ(IdsOf(items), (std::vector<DWORD>{0x03010011, 0x03060030, 0x03080031, 0x03070032, 0x03020012}));

    struct Expected {
        const char* name;
        int attributes;
        int info;
        bool hidden;
        int valueCount;
    };
    const Expected expected[] = {
        {"CPU FSB Frequency", 0, 0x11, false, 200},
        {"Hidden setting", 0x40000001, 7, true, 4},
        {"Load line", 2, 9, false, 3},
        {"Spread spectrum", 0, 3, false, 0},
        {"CPU Core Voltage", 0, 0x12, false, 40},
    };
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        const BiosItemA& item = *items[i];
        EXPECT_STREQ(item.GetName(), expected[i].name);
        EXPECT_EQ(item.GetAttributes(), expected[i].attributes);
        EXPECT_EQ(item.GetInfoValue(), expected[i].info);
        EXPECT_EQ(item.IsHidden(), expected[i].hidden);
        EXPECT_EQ(item.GetValueCount(), expected[i].valueCount);
    }
    EXPECT_NE(dynamic_cast<BiosNumberItemA*>(items[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<BiosNumberItemA*>(items[1].get()), nullptr);
    EXPECT_NE(dynamic_cast<BiosStringItemA*>(items[2].get()), nullptr);
    EXPECT_NE(dynamic_cast<BiosBooleanItemA*>(items[3].get()), nullptr);
    EXPECT_EQ(items[2]->GetKind(), kBiosKindString);
    EXPECT_EQ(items[3]->GetKind(), kBiosKindBoolean);

    // Other groups hold only their own items.
    EXPECT_EQ(IdsOf(itemtest::CreateGroupItems(5)), (std::vector<DWORD>{0x05080002}));
    EXPECT_EQ(IdsOf(itemtest::CreateGroupItems(0)), (std::vector<DWORD>{0x00060008}));
}

TEST(GroupWalk, GroupInfoStepsToTheEndAndStaysThere)
{
    itemtest::BoardInUse use(kWalkBoard);
    GroupInfo group;
    ASSERT_TRUE(group.Open(3));
    EXPECT_TRUE(group.IsOpen());
    EXPECT_EQ(group.GetCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(group.IsEnd());
        EXPECT_NE(group.GetCurrentData(), nullptr);
        group.Next();
    }
    EXPECT_TRUE(group.IsEnd());
    EXPECT_EQ(group.GetCurrentData(), nullptr);
    group.Next();
    EXPECT_EQ(group.GetPosition(), 5);
    group.Close();
    EXPECT_FALSE(group.IsOpen());
    EXPECT_TRUE(group.Open(5));  // open again after Close
}

TEST(GroupWalk, TraverserReportsEachIdAndReopensAfterClose)
{
    itemtest::BoardInUse use(kWalkBoard);
    GroupInfoTraverser walker;
    ASSERT_TRUE(walker.Open(3));
    EXPECT_EQ(walker.GetCurrentId(), 0x03010011u);
    walker.Next();
    EXPECT_EQ(walker.GetCurrentId(), 0x03060030u);
    walker.Close();
    EXPECT_FALSE(walker.IsOpen());

    ASSERT_TRUE(walker.Open(3));
    int walked = 0;
    for (; !walker.IsEnd(); walker.Next())
        ++walked;
    EXPECT_EQ(walked, 5);
    EXPECT_EQ(walker.GetCurrentId(), 0u);
    EXPECT_EQ(walker.CreateItem(), nullptr);  // nothing past the end
}

TEST(GroupWalk, FindItemIdAndIsItemPresent)
{
    itemtest::BoardInUse use(kWalkBoard);
    DWORD id = 0x1234;
    EXPECT_TRUE(FindItemId(3, 0x12, &id));
    EXPECT_EQ(id, 0x03020012u);
    EXPECT_TRUE(FindItemId(5, 0x02, &id));
    EXPECT_EQ(id, 0x05080002u);
    EXPECT_TRUE(FindItemId(0, 0x08, &id));
    EXPECT_EQ(id, 0x00060008u);

    id = 0x1234;
    EXPECT_FALSE(FindItemId(3, 0x99, &id));
    EXPECT_EQ(id, 0x1234u);  // untouched
    EXPECT_FALSE(FindItemId(5, 0x12, &id));

    EXPECT_TRUE(IsItemPresent(0x03080031));
    EXPECT_TRUE(IsItemPresent(0x00060008));
    EXPECT_FALSE(IsItemPresent(0x03010012));  // index 0x12 with another kind
    EXPECT_FALSE(IsItemPresent(0x03080099));
}

const char kFailingBoard[] = R"([board]
info=0x03000000
[0x03010011]
name=First
base=100
exponent=0
step=1
count=10
[0x03020012]
name=Unreadable
base=100
exponent=0
step=1
count=10
fail=descriptor
[0x03020015]
name=Last
base=100
exponent=0
step=1
count=10
[0x04060001]
name=In an unreadable group
base=1
exponent=0
step=1
count=2
[group.4]
fail=1
)";

TEST(GroupWalk, UnreadableDescriptorGivesNoItemAndNoCopyOfThePreviousOne)
{
    itemtest::BoardInUse use(kFailingBoard);
    GroupInfoTraverser walker;
    ASSERT_TRUE(walker.Open(3));
    ASSERT_TRUE(walker.HasDescriptor());
    walker.Next();
    EXPECT_FALSE(walker.IsEnd());
    EXPECT_FALSE(walker.HasDescriptor());
    EXPECT_EQ(walker.GetCurrentId(), 0u);
    EXPECT_EQ(walker.CreateItem(), nullptr);
    walker.Next();
    EXPECT_EQ(walker.GetCurrentId(), 0x03020015u);
    walker.Close();

    EXPECT_EQ(IdsOf(itemtest::CreateGroupItems(3)), (std::vector<DWORD>{0x03010011, 0x03020015}));
    DWORD id = 0x1234;
    EXPECT_FALSE(FindItemId(3, 0x12, &id));
    EXPECT_EQ(id, 0x1234u);
    EXPECT_FALSE(IsItemPresent(0x03020012));
    EXPECT_TRUE(IsItemPresent(0x03020015));
}

TEST(GroupWalk, UnreadableGroupDoesNotOpen)
{
    itemtest::BoardInUse use(kFailingBoard);
    GroupInfoTraverser walker;
    EXPECT_FALSE(walker.Open(4));
    EXPECT_FALSE(walker.IsOpen());
    EXPECT_TRUE(walker.IsEnd());
    EXPECT_EQ(walker.CreateItem(), nullptr);
    EXPECT_TRUE(walker.Open(3));  // closed itself, so it opens again

    GroupInfo group;
    EXPECT_FALSE(group.Open(4));
    EXPECT_TRUE(group.IsEnd());
    EXPECT_EQ(group.GetCurrentData(), nullptr);

    DWORD id = 0x1234;
    EXPECT_FALSE(FindItemId(4, 1, &id));
    EXPECT_EQ(id, 0x1234u);
    EXPECT_FALSE(IsItemPresent(0x04060001));
    EXPECT_TRUE(itemtest::CreateGroupItems(4).empty());
}

TEST(GroupWalk, GroupWithoutItemsIsAtItsEnd)
{
    itemtest::BoardInUse use(kFailingBoard);
    GroupInfoTraverser walker;
    if (walker.Open(6)) {
        EXPECT_TRUE(walker.IsEnd());
        EXPECT_FALSE(walker.HasDescriptor());
        EXPECT_EQ(walker.CreateItem(), nullptr);
    }
    EXPECT_FALSE(FindItemId(6, 0, nullptr));
}

TEST(GroupWalk, NoBoardMeansNoGroup)
{
    itemtest::NoBoardInUse noBoard;
    GroupInfoTraverser walker;
    EXPECT_FALSE(walker.Open(3));
    EXPECT_FALSE(IsItemPresent(0x03010011));
    EXPECT_TRUE(itemtest::CreateGroupItems(3).empty());
}

ZX_TEST_CHILD(traverser_opened_twice)
{
    GroupInfoTraverser walker;
    walker.Open(3);
    walker.Open(3);
    return 0;
}

ZX_TEST_CHILD(group_opened_twice)
{
    GroupInfo group;
    group.Open(3);
    group.Open(3);
    return 0;
}

TEST(GroupWalk, OpeningAnOpenWalkerIsAContractViolation)
{
    itemtest::BoardInUse use(kWalkBoard);
    for (const char* child : {"traverser_opened_twice", "group_opened_twice"}) {
        SCOPED_TRACE(child);
        zxtest::ProcessResult result = zxtest::RunChild(child, {{"KYACPI_BOARD", use.board.BoardPath()}});
        ASSERT_TRUE(result.started);
        EXPECT_EQ(result.exitCode, vessa::kAssertExitCode);
        EXPECT_NE(result.output.find("Assertion failed: !IsOpen()"), std::string::npos) << result.output;
        EXPECT_NE(result.output.find("BiosGroup.cpp"), std::string::npos) << result.output;
    }
}

}  // namespace
