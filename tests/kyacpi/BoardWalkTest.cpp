// Group lists, descriptors and the package walk, as the item model reads
// them: layout, order, copies walked elsewhere, and walks off the end.

#include <gtest/gtest.h>

#include <cstring>

#include "KyAcpiTestSupport.h"
#include "SimulatedBoard.h"

using namespace kyacpitest;

namespace {

const char kSmallBoard[] = "[board]\n"
                           "info=0x00000001,0x02000000\n"
                           "[0x03010011]\n"
                           "name=CPU FSB Frequency\n"
                           "attributes=0x10\n"
                           "info=33\n"
                           "base=10000\n"
                           "step=100\n"
                           "count=201\n"
                           "value=33\n"
                           "[0x03820019]\n"
                           "name=CPU VTT Voltage\n"
                           "base=1000\n"
                           "exponent=-2\n"
                           "step=-20\n"
                           "count=21\n"
                           "strings=Auto|Manual\n"
                           "[0x0302001A]\n"
                           "name=Hidden One\n"
                           "attributes=0x40000000\n"
                           "base=-5\n"
                           "count=3\n"
                           "[0x05080002]\n"
                           "name=Profiles\n"
                           "strings=A|B|C\n"
                           "[0x03070020]\n"
                           "name=A Switch\n"
                           "info=7\n";

class BoardWalk : public ::testing::Test {
protected:
    void SetUp() override { m_board.UseInThisProcess(); }
    zxtest::SimulatedBoard m_board = zxtest::SimulatedBoard::FromText(kSmallBoard);
};

}  // namespace

TEST_F(BoardWalk, GroupListHoldsTheGroupsItemsInFileOrder)
{
    EXPECT_EQ(GroupIds(3), (std::vector<DWORD>{0x03010011, 0x03820019, 0x0302001A, 0x03070020}));
    EXPECT_EQ(GroupIds(5), (std::vector<DWORD>{0x05080002}));

    // A group without items reads as an empty package that walks safely.
    std::vector<BYTE> buffer(kAcpiPackageBufferSize, 0xCC);
    int size = kAcpiPackageBufferSize;
    ASSERT_NE(AcpiReadGroupList(9, buffer.data(), &size), 0);
    EXPECT_EQ(AcpiElementCount(buffer.data()), 0);
    EXPECT_EQ(AcpiFirstElement(buffer.data()), nullptr);
    EXPECT_EQ(AcpiElementData(AcpiFirstElement(buffer.data())), nullptr);
    EXPECT_EQ(AcpiNextElement(AcpiFirstElement(buffer.data())), nullptr);

    // A list that does not fit the buffer is refused, nothing written.
    std::vector<BYTE> small(40, 0xCC);
    size = static_cast<int>(small.size());
    EXPECT_EQ(AcpiReadGroupList(3, small.data(), &size), 0);
    EXPECT_EQ(size, 40);
    EXPECT_EQ(small[0], 0xCC);

    size = kAcpiPackageBufferSize;
    EXPECT_EQ(AcpiReadGroupList(-1, buffer.data(), &size), 0);
    EXPECT_EQ(AcpiReadGroupList(256, buffer.data(), &size), 0);
}

TEST_F(BoardWalk, DescriptorsCarryTheElementsOfEachKind)
{
    Descriptor fsb = ReadDescriptor(0x03010011);
    ASSERT_NE(fsb.result, 0);
    ASSERT_EQ(fsb.elements.size(), 7u);
    EXPECT_EQ(fsb.elements[0].integer, 0x03010011u);
    EXPECT_EQ(fsb.elements[1].text, "CPU FSB Frequency");
    EXPECT_EQ(fsb.elements[2].integer, 0x10u);
    EXPECT_EQ(fsb.elements[3].integer, 33u);
    EXPECT_EQ(fsb.elements[4].integer, 10000u);
    EXPECT_EQ(fsb.elements[5].integer, 100u);
    EXPECT_EQ(fsb.elements[6].integer, 201u);

    // Exponent in the top byte, base and step as signed 24-bit fields, then
    // the extra strings after their count.
    Descriptor vtt = ReadDescriptor(0x03820019);
    ASSERT_EQ(vtt.elements.size(), 10u);
    EXPECT_EQ(vtt.elements[4].integer, 0xFE0003E8u);
    EXPECT_EQ(vtt.elements[5].integer, 0x00FFFFECu);
    EXPECT_EQ(vtt.elements[6].integer, 21u);
    EXPECT_EQ(vtt.elements[7].integer, 2u);
    EXPECT_EQ(vtt.elements[8].text, "Auto");
    EXPECT_EQ(vtt.elements[9].text, "Manual");

    Descriptor hidden = ReadDescriptor(0x0302001A);
    EXPECT_EQ(hidden.elements[2].integer, 0x40000000u);
    EXPECT_EQ(hidden.elements[4].integer, 0x00FFFFFBu);

    Descriptor profiles = ReadDescriptor(0x05080002);
    ASSERT_EQ(profiles.elements.size(), 8u);
    EXPECT_EQ(profiles.elements[4].integer, 3u);
    EXPECT_EQ(profiles.elements[7].text, "C");

    Descriptor boolean = ReadDescriptor(0x03070020);
    ASSERT_EQ(boolean.elements.size(), 4u);
    EXPECT_EQ(boolean.elements[3].integer, 7u);
}

TEST_F(BoardWalk, CopiedDescriptorBytesWalkTheSameElsewhere)
{
    Descriptor original = ReadDescriptor(0x03820019);
    ASSERT_GT(original.bytes, 0);
    ASSERT_LE(original.bytes, kAcpiPackageBufferSize);
    // The copy lives at another address; the original is overwritten.
    std::vector<BYTE> copy(original.buffer.begin(), original.buffer.begin() + original.bytes);
    std::memset(original.buffer.data(), 0xEE, original.buffer.size());
    std::vector<Element> elements = Walk(copy.data());
    ASSERT_EQ(elements.size(), 10u);
    EXPECT_EQ(elements[1].text, "CPU VTT Voltage");
    EXPECT_EQ(elements[9].text, "Manual");
}

TEST_F(BoardWalk, WalkingPastTheEndAndForeignDataFailCleanly)
{
    std::vector<BYTE> buffer(kAcpiPackageBufferSize);
    int size = kAcpiPackageBufferSize;
    ASSERT_NE(AcpiReadGroupList(5, buffer.data(), &size), 0);
    KYACPI_ELEMENT last = AcpiFirstElement(buffer.data());
    ASSERT_NE(last, nullptr);
    KYACPI_ELEMENT past = AcpiNextElement(last);
    EXPECT_EQ(past, nullptr);
    EXPECT_EQ(AcpiNextElement(past), nullptr);
    EXPECT_EQ(AcpiElementData(past), nullptr);

    std::vector<BYTE> descriptor(kAcpiPackageBufferSize, 0xCC);
    size = kAcpiPackageBufferSize;
    EXPECT_EQ(AcpiReadItemDescriptor(AcpiElementData(past), descriptor.data(), &size), 0);
    EXPECT_EQ(size, kAcpiPackageBufferSize);
    EXPECT_EQ(descriptor[0], 0xCC);

    // A zeroed buffer (what a caller holds after a failed read) is no package.
    std::vector<BYTE> zeros(64, 0);
    EXPECT_EQ(AcpiElementCount(zeros.data()), 0);
    EXPECT_EQ(AcpiFirstElement(zeros.data()), nullptr);
    EXPECT_EQ(AcpiElementCount(nullptr), 0);
    EXPECT_EQ(AcpiFirstElement(nullptr), nullptr);

    DWORD unknown = 0x03010099;
    size = kAcpiPackageBufferSize;
    EXPECT_EQ(AcpiReadItemDescriptor(&unknown, descriptor.data(), &size), 0);
}

TEST_F(BoardWalk, GroupElementDataLeadsToTheDescriptor)
{
    std::vector<BYTE> list(kAcpiPackageBufferSize);
    int size = kAcpiPackageBufferSize;
    ASSERT_NE(AcpiReadGroupList(3, list.data(), &size), 0);
    KYACPI_ELEMENT element = AcpiNextElement(AcpiFirstElement(list.data()));
    std::vector<BYTE> buffer(kAcpiPackageBufferSize);
    size = kAcpiPackageBufferSize;
    ASSERT_NE(AcpiReadItemDescriptor(AcpiElementData(element), buffer.data(), &size), 0);
    EXPECT_EQ(Walk(buffer.data())[0].integer, 0x03820019u);
}

TEST_F(BoardWalk, DescriptorThatDoesNotFitIsRefusedWithoutWriting)
{
    Descriptor full = ReadDescriptor(0x03820019);
    std::vector<BYTE> buffer(kAcpiPackageBufferSize, 0xCC);
    DWORD id = 0x03820019;
    int size = full.bytes - 1;
    EXPECT_EQ(AcpiReadItemDescriptor(&id, buffer.data(), &size), 0);
    EXPECT_EQ(size, full.bytes - 1);
    EXPECT_EQ(buffer[0], 0xCC);

    size = full.bytes;
    EXPECT_NE(AcpiReadItemDescriptor(&id, buffer.data(), &size), 0);
    EXPECT_EQ(size, full.bytes);
    EXPECT_EQ(buffer[full.bytes], 0xCC);
}

TEST_F(BoardWalk, InfoListHasTwoHeaderWordsThenTheBoardsWords)
{
    std::vector<BYTE> buffer(kAcpiPackageBufferSize);
    int size = kAcpiPackageBufferSize;
    ASSERT_NE(AcpiReadInfoList(buffer.data(), &size), 0);
    std::vector<Element> elements = Walk(buffer.data());
    ASSERT_EQ(elements.size(), 4u);
    EXPECT_EQ(elements[2].integer, 0x00000001u);
    EXPECT_EQ(elements[3].integer >> 24, 2u);  // BIOS information level
}
