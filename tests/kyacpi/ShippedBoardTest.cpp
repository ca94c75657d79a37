// The boards we ship load, and carry what the program's paths and the later
// tests rely on.

#include <gtest/gtest.h>

#include <algorithm>

#include "KyAcpiTestSupport.h"
#include "SimulatedBoard.h"

using namespace kyacpitest;

namespace {

bool Has(const std::vector<DWORD>& ids, DWORD id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

int InfoLevel()
{
    std::vector<BYTE> buffer(kAcpiPackageBufferSize);
    int size = kAcpiPackageBufferSize;
    if (!AcpiReadInfoList(buffer.data(), &size))
        return -1;
    std::vector<Element> words = Walk(buffer.data());
    return words.size() > 3 ? static_cast<int>(words[3].integer >> 24) : -1;
}

bool IsHidden(DWORD id)
{
    return (ReadDescriptor(id).elements.at(2).integer & 0x40000000u) != 0;
}

}  // namespace

TEST(ShippedBoards, EachVariantLoadsAndDiffersAsNamed)
{
    struct Case {
        const char* name;
        int cores;  // value count of the core selector, 0 = no ratio item
        bool f9;
        bool turboTables;
        int status;  // 0x00060008 and 0x00060009
        int powerSaving;
        int infoLevel;
        bool group3;
    } cases[] = {
        {"default", 4, true, true, 0x12, 0, 3, true},
        {"ratio-no-f9", 4, false, true, 0x12, 0, 3, true},
        {"ratio-no-turbo-table", 4, true, false, 0x12, 0, 3, true},
        {"ratio-6core-percore", 6, false, true, 0x12, 0, 3, true},
        {"ratio-6core-single", 6, false, true, 0x10, 0, 3, true},
        {"ratio-2core", 2, true, true, 0x12, 0, 3, true},
        {"no-ratio", 0, false, true, 0x12, 0, 3, true},
        {"startup-conflict", 4, true, true, 0x16, 0, 3, true},
        {"power-saving-on", 4, true, true, 0x12, 1, 3, true},
        {"info-level-2", 4, true, true, 0x12, 0, 2, true},
        {"fault-group3", 4, true, true, 0x12, 0, 3, false},
        {"fault-items", 4, true, true, 0x12, 0, 3, true},
        {"fault-values", 4, true, true, 0x12, 0, 3, true},
    };
    for (const Case& c : cases) {
        zxtest::SimulatedBoard board = zxtest::SimulatedBoard::FromShipped(c.name);
        board.UseInThisProcess();
        SCOPED_TRACE(c.name);
        ASSERT_EQ(AcpiOpen(), 1) << board.BoardText().substr(0, 200);

        std::vector<BYTE> buffer(kAcpiPackageBufferSize);
        int size = kAcpiPackageBufferSize;
        EXPECT_EQ(AcpiReadGroupList(3, buffer.data(), &size) != 0, c.group3);
        EXPECT_EQ(ReadDescriptor(0x03060013).result != 0, c.cores > 0);
        if (c.cores > 0) {
            EXPECT_EQ(ReadDescriptor(0x030600F0).elements.at(6).integer, static_cast<DWORD>(c.cores));
            // Every core answers through the selector.
            for (int core = 0; core < c.cores; core++) {
                ASSERT_EQ(AcpiSetItemValue(0x030600F0, core, 1), 1);
                EXPECT_GE(ReadOr(0x03060013, -1), 0);
            }
            AcpiSetItemValue(0x030600F0, 255, 1);
        }
        EXPECT_EQ(ReadDescriptor(0x030600F9).result != 0, c.f9);
        std::vector<DWORD> group5 = GroupIds(5);
        EXPECT_EQ(Has(group5, 0x05080006) && Has(group5, 0x05080007), c.turboTables);
        EXPECT_EQ(ReadOr(0x00060008, -1), c.status);
        EXPECT_EQ(ReadOr(0x00060009, -1), c.status);
        EXPECT_EQ(ReadOr(0x0B060001, -1), c.powerSaving);
        EXPECT_EQ(InfoLevel(), c.infoLevel);
    }
}

TEST(ShippedBoards, DefaultBoardCarriesEveryMainPath)
{
    zxtest::SimulatedBoard board = zxtest::SimulatedBoard::FromShipped("default");
    board.UseInThisProcess();

    std::vector<DWORD> group3 = GroupIds(3);
    // The four fixed slots come first, in slot order.
    ASSERT_GE(group3.size(), 4u);
    EXPECT_EQ(std::vector<DWORD>(group3.begin(), group3.begin() + 4),
              (std::vector<DWORD>{0x03010011, 0x03020012, 0x03020032, 0x03020015}));
    for (DWORD id :
         {0x03060013u, 0x030600F0u, 0x030600F1u, 0x030600F9u, 0x03080018u, 0x030800B4u, 0x03010060u, 0x03010061u})
        EXPECT_TRUE(Has(group3, id)) << std::hex << id;
    for (DWORD id : {0x030600F0u, 0x030600F1u, 0x030600F9u, 0x0302001Au})
        EXPECT_TRUE(IsHidden(id)) << std::hex << id;
    EXPECT_FALSE(IsHidden(0x03060013));
    EXPECT_EQ(GroupIds(0), (std::vector<DWORD>{0x00060008, 0x00060009, 0x00060001}));
    EXPECT_EQ(GroupIds(0x0B), (std::vector<DWORD>{0x0B060001}));

    // Half-multiplier ratio steps: base 60, exponent -1, step 5.
    Descriptor ratio = ReadDescriptor(0x03060013);
    EXPECT_EQ(ratio.elements.at(4).integer, 0xFF00003Cu);
    EXPECT_EQ(ratio.elements.at(5).integer, 5u);

    // An item with the extra string "Auto".
    Descriptor vtt = ReadDescriptor(0x03820019);
    ASSERT_EQ(vtt.elements.size(), 9u);
    EXPECT_EQ(vtt.elements[8].text, "Auto");

    // Three stored profiles, each a pair list that ends with 0xFFFFFFFF.
    Descriptor profiles = ReadDescriptor(0x05080002);
    EXPECT_EQ(profiles.elements.at(4).integer, 3u);
    for (int number = 0; number < 3; number++) {
        std::vector<DWORD> words(1024);
        int size = 4096;
        ASSERT_EQ(AcpiReadItemData(0x05080002, number, words.data(), &size), 1);
        words.resize(size / 4);
        ASSERT_GE(words.size(), 4u);
        EXPECT_EQ(words.back(), 0xFFFFFFFFu);
        EXPECT_EQ(words.size() % 2, 0u) << "header, pairs, end mark";
    }

    // Danger limits for the fixed slots; none beyond them at an unknown position.
    int limit = 0;
    EXPECT_EQ(AcpiGetItemValueAt(0x030600F1, 0x12, &limit), 1);
    EXPECT_NE(limit >> 16, 0);

    // The turbo table is valid (word 1 is not 0xFFFFFFFF) and the boost
    // table's words 1 and 8 are below 0xFFFF; 64-byte reads work.
    for (DWORD id : {0x05080006u, 0x05080007u}) {
        DWORD words[16] = {};
        int size = 64;
        ASSERT_EQ(AcpiReadItemData(id, 0, words, &size), 1);
        EXPECT_NE(words[1], 0xFFFFFFFFu);
        if (id == 0x05080007u) {
            EXPECT_LT(words[1], 0xFFFFu);
            EXPECT_LT(words[8], 0xFFFFu);
        }
    }
    // Graphics data for every position of the graphics core clock.
    int positions = static_cast<int>(ReadDescriptor(0x03010060).elements.at(6).integer);
    for (int position = 0; position < positions; position++) {
        DWORD words[16] = {};
        int size = 64;
        EXPECT_EQ(AcpiReadItemData(0x05080060, position, words, &size), 1) << position;
    }
}

// The values switch takes the value list out of a descriptor and nothing
// else: the item is still listed and still takes writes of its own values.
TEST(ShippedBoards, DescriptorsWithoutValues)
{
    zxtest::SimulatedBoard board = zxtest::SimulatedBoard::FromShipped("fault-values");
    board.UseInThisProcess();
    Descriptor strings = ReadDescriptor(0x03080018);
    ASSERT_EQ(strings.elements.size(), 5u) << "header, info, a count of 0 and no texts";
    EXPECT_EQ(strings.elements[4].integer, 0u);
    Descriptor number = ReadDescriptor(0x03020015);
    ASSERT_EQ(number.elements.size(), 7u);
    EXPECT_EQ(number.elements[6].integer, 0xFFFFFFFFu) << "a value count of -1";
    EXPECT_EQ(ReadDescriptor(0x03020016).elements.at(6).integer, 0u);
    EXPECT_TRUE(Has(GroupIds(3), 0x03080018));
    EXPECT_EQ(AcpiSetItemValue(0x03080018, 1, 2), 1);
    EXPECT_EQ(ReadOr(0x03080018, -1), 1);
}
