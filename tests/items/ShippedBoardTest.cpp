// The board shipped as the program's default, read through the item model:
// every item parses, and the texts are what the user will see.

#include <gtest/gtest.h>

#include <string>

#include "BoardItems.h"
#include "MessageBoxCatcher.h"
#include "SimulatedBoard.h"

namespace {

struct ShippedBoardInUse {
    ShippedBoardInUse() : board(zxtest::SimulatedBoard::FromShipped("default")) { board.UseInThisProcess(); }
    zxtest::SimulatedBoard board;
};

TEST(ShippedBoard, EveryItemOfEveryGroupParses)
{
    ShippedBoardInUse use;
    int total = 0;
    for (int group : {0, 3, 5, 0x0B}) {
        SCOPED_TRACE(group);
        GroupInfoTraverser walker;
        ASSERT_TRUE(walker.Open(group));
        for (; !walker.IsEnd(); walker.Next()) {
            itemtest::ItemPointer item(walker.CreateItem());
            ASSERT_NE(item, nullptr);
            SCOPED_TRACE(item->GetName());
            EXPECT_EQ(BiosItemGroup(item->GetId()), group);
            EXPECT_TRUE(item->ParseInfo());
            EXPECT_STRNE(item->GetName(), "");
            ++total;
        }
    }
    EXPECT_GT(total, 20);
}

TEST(ShippedBoard, CurrentTextsAndHiddenItems)
{
    ShippedBoardInUse use;
    auto items = itemtest::CreateGroupItemsById(3);
    zxtest::MessageBoxCatcher catcher;

    struct Case {
        DWORD id;
        const char* current;
    };
    const Case cases[] = {
        {0x03010011, "133"},                                                     // FSB in MHz
        {0x03020012, "1.15000"},                                                 // core voltage in 0.00625 V steps
        {0x03020032, "1.50"},    {0x03020015, "1.100"},   {0x03060013, "20.0"},  // CPU ratio in half steps
        {0x03820019, "Auto"},                                                    // extra string first
        {0x03080018, "Auto"},    {0x030800B4, "Enabled"}, {0x03010060, "800"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current);
        ASSERT_EQ(items.count(c.id), 1u);
        std::string text;
        EXPECT_TRUE(items.at(c.id)->GetCurrentString(&text));
        EXPECT_EQ(text, c.current);
    }
    EXPECT_EQ(items.at(0x03820019)->IndexToString(1), "1.00");
    EXPECT_EQ(items.at(0x03820019)->GetValueCount(), 22);
    EXPECT_EQ(items.at(0x030600F0)->GetValueCount(), 4);  // one value per core

    for (DWORD hidden : {0x030600F0u, 0x030600F1u, 0x030600F9u, 0x0302001Au})
        EXPECT_TRUE(items.at(hidden)->IsHidden()) << std::hex << hidden;
    EXPECT_FALSE(items.at(0x03010011)->IsHidden());
    EXPECT_TRUE(catcher.Boxes().empty());
}

}  // namespace
