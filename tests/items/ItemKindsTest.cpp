// String and boolean items, the message boxes of conversions an item cannot
// do, current values, and descriptors cut short.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoardItems.h"
#include "MessageBoxCatcher.h"
#include "TestProcess.h"
#include "turboInfo_Intel/BiosInterface.h"
#include "vessa/System/VessaAssert.h"

namespace {

const char kKindsBoard[] = R"([board]
info=0x03000000
[0x03080031]
name=Load line
info=9
strings=Low|Medium|High
value=2
[0x03070032]
name=Spread spectrum
info=3
value=1
[0x03810020]
name=Extra strings first
strings=Auto|Manual
base=100
exponent=0
step=1
count=3
value=4
[0x03020023]
name=Millivolts
base=800
exponent=-2
step=25
count=10
value=2
[0x03020024]
name=Unreadable value
base=800
exponent=-2
step=25
count=10
value=2
fail=read
)";

using Boxes = std::vector<zxtest::CaughtBox>;

void ExpectBoxes(const zxtest::MessageBoxCatcher& catcher,
                 const std::vector<std::pair<std::string, std::string>>& expected)
{
    ASSERT_EQ(catcher.Boxes().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(catcher.Boxes()[i].caption, expected[i].first);
        EXPECT_EQ(catcher.Boxes()[i].text, expected[i].second);
    }
}

TEST(ItemKinds, StringItemListsItsStrings)
{
    itemtest::BoardInUse use(kKindsBoard);
    auto items = itemtest::CreateGroupItemsById(3);
    const BiosItemA& item = *items.at(0x03080031);
    zxtest::MessageBoxCatcher catcher;

    EXPECT_EQ(item.GetValueCount(), 3);
    EXPECT_EQ(item.GetInfoValue(), 9);
    EXPECT_FALSE(item.HasExtraStrings());
    EXPECT_EQ(item.IndexToString(0), "Low");
    EXPECT_EQ(item.IndexToString(1), "Medium");
    EXPECT_EQ(item.IndexToString(2), "High");
    std::string current;
    EXPECT_TRUE(item.GetCurrentString(&current));
    EXPECT_EQ(current, "High");
    EXPECT_TRUE(catcher.Boxes().empty());
}

TEST(ItemKinds, BaseOperationsShowTheirBoxAndGiveNothing)
{
    itemtest::BoardInUse use(kKindsBoard);
    auto items = itemtest::CreateGroupItemsById(3);
    const BiosItemA& boolean = *items.at(0x03070032);
    const BiosItemA& strings = *items.at(0x03080031);
    zxtest::MessageBoxCatcher catcher;

    EXPECT_EQ(boolean.GetValueCount(), 0);
    EXPECT_EQ(boolean.GetInfoValue(), 3);
    int numerator = 41;
    int denominator = 42;
    boolean.IndexToRational(0, &numerator, &denominator);
    EXPECT_EQ(numerator, 41);
    EXPECT_EQ(denominator, 42);
    EXPECT_EQ(boolean.IndexToValue(0), 0.0);
    EXPECT_EQ(boolean.IndexToString(0), "");
    strings.IndexToRational(1, &numerator, &denominator);
    EXPECT_EQ(numerator, 41);
    EXPECT_EQ(strings.IndexToValue(1), 0.0);

    ExpectBoxes(catcher, {
                             {"BiosItem", "Item[3070032] does not supports IndexToRational"},
                             {"BiosItem", "Item[3070032] does not supports IndexToValue"},
                             {"BiosItem", "Item[3070032] does not supports IndexToString"},
                             {"BiosItem", "Item[3080031] does not supports IndexToRational"},
                             {"BiosItem", "Item[3080031] does not supports IndexToValue"},
                         });

    // A boolean's current value goes through the same conversion.
    catcher.Clear();
    int index = -1;
    EXPECT_TRUE(boolean.GetCurrentIndex(&index));
    EXPECT_EQ(index, 1);
    double value = 5.0;
    EXPECT_TRUE(boolean.GetCurrentValue(&value));
    EXPECT_EQ(value, 0.0);
    ExpectBoxes(catcher, {{"BiosItem", "Item[3070032] does not supports IndexToValue"}});
}

TEST(ItemKinds, ExtraStringHasNoValueButTheConversionGoesOn)
{
    itemtest::BoardInUse use(kKindsBoard);
    auto items = itemtest::CreateGroupItemsById(3);
    const BiosItemA& item = *items.at(0x03810020);
    zxtest::MessageBoxCatcher catcher;

    // k = i - M is negative: B + k x S.
    EXPECT_DOUBLE_EQ(item.IndexToValue(0), 0.98);
    int numerator = 0;
    int denominator = 0;
    item.IndexToRational(1, &numerator, &denominator);
    EXPECT_EQ(numerator, 99);
    EXPECT_EQ(denominator, 100);
    ExpectBoxes(catcher, {
                             {"IndexToValue Fail", "Can not convert extra string to value"},
                             {"IndexToRational Fail", "Can not convert extra string to value"},
                         });

    catcher.Clear();
    std::string current;
    EXPECT_TRUE(item.GetCurrentString(&current));  // value index 4: B + 2 x S
    EXPECT_EQ(current, "1.02");
    EXPECT_TRUE(catcher.Boxes().empty());
}

TEST(ItemKinds, CurrentValueAndTextFollowTheBoardAndFailedReadsKeepOutputs)
{
    itemtest::BoardInUse use(kKindsBoard);
    auto items = itemtest::CreateGroupItemsById(3);
    const BiosItemA& item = *items.at(0x03020023);
    double value = 0.0;
    std::string text;
    EXPECT_TRUE(item.GetCurrentValue(&value));
    EXPECT_DOUBLE_EQ(value, 0.0085);
    EXPECT_TRUE(item.GetCurrentString(&text));
    EXPECT_EQ(text, "0.00850");

    const BiosItemA& unreadable = *items.at(0x03020024);
    int index = 77;
    value = 7.5;
    text = "kept";
    EXPECT_FALSE(unreadable.GetCurrentIndex(&index));
    EXPECT_FALSE(unreadable.GetCurrentValue(&value));
    EXPECT_FALSE(unreadable.GetCurrentString(&text));
    EXPECT_EQ(index, 77);
    EXPECT_EQ(value, 7.5);
    EXPECT_EQ(text, "kept");
}

ZX_TEST_CHILD(string_index_out_of_range)
{
    auto items = itemtest::CreateGroupItemsById(3);
    items.at(0x03080031)->IndexToString(3);
    return 0;
}

TEST(ItemKinds, StringIndexOutOfRangeIsAContractViolation)
{
    itemtest::BoardInUse use(kKindsBoard);
    zxtest::ProcessResult result = zxtest::RunChild("string_index_out_of_range");
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, vessa::kAssertExitCode);
    EXPECT_NE(result.output.find("Assertion failed: index < m_strs.size()"), std::string::npos) << result.output;
}

// ---- Descriptors cut short ----

// The descriptor bytes of `id` as the library gives them, and where each
// element's data starts in them.
struct RawDescriptor {
    std::vector<unsigned char> bytes;
    std::vector<int> dataOffsets;
};

RawDescriptor ReadRawDescriptor(int group, DWORD id)
{
    RawDescriptor raw;
    GroupInfo list;
    if (!list.Open(group))
        return raw;
    for (; !list.IsEnd(); list.Next()) {
        std::vector<unsigned char> buffer(kAcpiPackageBufferSize);
        int size = kAcpiPackageBufferSize;
        if (!AcpiReadItemDescriptor(list.GetCurrentData(), buffer.data(), &size))
            continue;
        KYACPI_ELEMENT element = AcpiFirstElement(buffer.data());
        if (*static_cast<const DWORD*>(AcpiElementData(element)) != id)
            continue;
        const int count = AcpiElementCount(buffer.data());
        for (int i = 0; i < count; ++i) {
            raw.dataOffsets.push_back(
                static_cast<int>(static_cast<unsigned char*>(AcpiElementData(element)) - buffer.data()));
            element = AcpiNextElement(element);
        }
        buffer.resize(static_cast<size_t>(size));
        raw.bytes = buffer;
        break;
    }
    return raw;
}

TEST(ItemKinds, DescriptorCutShortNeverReadsPastItsCopy)
{
    itemtest::BoardInUse use(kKindsBoard);
    const RawDescriptor raw = ReadRawDescriptor(3, 0x03810020);
    ASSERT_EQ(raw.dataOffsets.size(), 10u);  // header, info, B, S, N, M, 2 texts
    zxtest::MessageBoxCatcher catcher;

    {
        SCOPED_TRACE("whole descriptor");
        BiosNumberItemA item(raw.bytes.data(), static_cast<int>(raw.bytes.size()));
        EXPECT_TRUE(item.ParseInfo());
        EXPECT_EQ(item.GetValueCount(), 5);
    }
    // Extra strings missing or cut: the item keeps M = 0 and count N, so no
    // position below the count points at a missing text.
    for (int cut : {raw.dataOffsets[8], raw.dataOffsets[9] + 2}) {
        SCOPED_TRACE(cut);
        BiosNumberItemA item(raw.bytes.data(), cut);
        EXPECT_FALSE(item.ParseInfo());
        EXPECT_EQ(item.GetId(), 0x03810020u);
        EXPECT_EQ(item.GetExtraStringCount(), 0);
        EXPECT_EQ(item.GetValueCount(), 3);
        EXPECT_EQ(item.IndexToString(0), "1.00");
    }
    {
        SCOPED_TRACE("header only");
        BiosNumberItemA item(raw.bytes.data(), raw.dataOffsets[2] + 4);
        EXPECT_FALSE(item.ParseInfo());
        EXPECT_STREQ(item.GetName(), "Extra strings first");
        EXPECT_EQ(item.GetInfoValue(), 0);
        EXPECT_EQ(item.GetValueCount(), 0);
    }
    for (int cut : {raw.dataOffsets[1] + 3, 0}) {
        SCOPED_TRACE("no header");
        BiosNumberItemA item(raw.bytes.data(), cut);
        EXPECT_FALSE(item.HasHeader());
        EXPECT_FALSE(item.ParseInfo());
        EXPECT_EQ(item.GetId(), 0u);
        EXPECT_STREQ(item.GetName(), "");
        EXPECT_EQ(item.GetAttributes(), 0);
        EXPECT_EQ(item.GetInfoValue(), 0);
        EXPECT_EQ(item.GetValueCount(), 0);
    }
    BiosStringItemA nothing(nullptr, 100);
    EXPECT_EQ(nothing.GetValueCount(), 0);
    EXPECT_TRUE(catcher.Boxes().empty());
}

TEST(ItemKinds, StringDescriptorWithMissingTextsHasNoStrings)
{
    itemtest::BoardInUse use(kKindsBoard);
    const RawDescriptor raw = ReadRawDescriptor(3, 0x03080031);
    ASSERT_EQ(raw.dataOffsets.size(), 8u);  // header, info, M, 3 texts
    BiosStringItemA item(raw.bytes.data(), raw.dataOffsets[7]);
    EXPECT_FALSE(item.ParseInfo());
    EXPECT_EQ(item.GetValueCount(), 0);

    BiosStringItemA whole(raw.bytes.data(), static_cast<int>(raw.bytes.size()));
    EXPECT_TRUE(whole.ParseInfo());
    EXPECT_EQ(whole.GetValueCount(), 3);
}

}  // namespace
