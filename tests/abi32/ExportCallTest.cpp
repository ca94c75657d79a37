// The folder's 32-bit libraries called from 32-bit code as other programs
// call them: bound by ordinal (and by name where they have names), every
// call made through a raw address with its arguments pushed by hand, so that
// a wrong argument size in an export or a caller-cleaned export shows as a
// moved stack pointer. Run from build\dist under the 32-bit Wine.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "SimulatedBoard.h"
#include "StdcallProbe.h"
#include "TestFiles.h"
#include "TestPaths.h"
#include "ocapi/ZxOcLib.h"
#include "platform/vcl/Application.h"

using abi32::Arg;
using abi32::CallStdcall;
using abi32::StdcallResult;

namespace {

HMODULE LoadFromDist(const char* name)
{
    return LoadLibraryExA(zxtest::JoinPath(zxtest::DistDir(), name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

FARPROC Ordinal(HMODULE module, WORD ordinal)
{
    return GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
}

// The result of a function that returns nothing: eax is not looked at.
constexpr std::uint32_t kNoResult = 0xFFFFFFFFu;

// One call of a table: the export's ordinal, its arguments, the result wanted.
struct Call {
    WORD ordinal;
    const char* what;
    std::initializer_list<std::uint32_t> arguments;
    std::uint32_t expected;
};

void ExpectCall(HMODULE module, const Call& call)
{
    SCOPED_TRACE(testing::Message() << "ordinal " << call.ordinal << ": " << call.what);
    FARPROC function = Ordinal(module, call.ordinal);
    ASSERT_NE(function, nullptr);
    StdcallResult result = CallStdcall(function, call.arguments);
    EXPECT_EQ(result.stackDelta, 0) << "the callee left the stack moved";
    if (call.expected != kNoResult) {
        EXPECT_EQ(result.value, call.expected);
    }
}

class OnShippedBoard : public testing::Test {
protected:
    zxtest::SimulatedBoard m_board = zxtest::SimulatedBoard::FromShipped("default");
    void SetUp() override { m_board.UseInThisProcess(); }
};

}  // namespace

TEST_F(OnShippedBoard, ZxOcLibEveryExportByOrdinalWithGoodAndBadArguments)
{
    HMODULE module = LoadFromDist("ZxOcLib.dll");
    ASSERT_NE(module, nullptr);
    const char* const names[] = {"ZxOcQueryFsbFrquencyInfo", "ZxOcQueryDramVoltInfo", "ZxOcQueryVcoreVoltInfo",
                                 "ZxOcQueryNbCoreVoltInfo",  "ZxOcGetFsbFrquency",    "ZxOcGetDramVolt",
                                 "ZxOcGetVcoreVolt",         "ZxOcGetNbCoreVolt",     "ZxOcSetFsbFrquency",
                                 "ZxOcSetDramVolt",          "ZxOcSetVcoreVolt",      "ZxOcSetNbCoreVolt",
                                 "ZxOcSaveCurrentDovrel",    "ZxOcLoadProfile",       "ZxOcIsOxlenMode"};
    for (WORD ordinal = 1; ordinal <= 15; ++ordinal)
        EXPECT_EQ(GetProcAddress(module, names[ordinal - 1]), Ordinal(module, ordinal)) << names[ordinal - 1];

    ItemInfo infos[4];
    for (ItemInfo& info : infos)
        std::memset(&info, 0x5A, sizeof info);
    int values[4] = {-7, -7, -7, -7};
    int untouched = -7;
    int afterWrite = -7;
    int afterLoad = -7;
    zxtest::TempFolder folder;
    std::string profile = folder.File("abi32.oc");
    std::string missing = profile + ".missing";
    const Call calls[] = {
        {1, "FSB info", {Arg(&infos[0])}, 1},
        {2, "DRAM info", {Arg(&infos[1])}, 1},
        {3, "Vcore info", {Arg(&infos[2])}, 1},
        {4, "NB info", {Arg(&infos[3])}, 1},
        {1, "FSB info, null", {0}, 0},
        {4, "NB info, null", {0}, 0},
        {5, "FSB", {Arg(&values[0])}, 1},
        {6, "DRAM", {Arg(&values[1])}, 1},
        {7, "Vcore", {Arg(&values[2])}, 1},
        {8, "NB", {Arg(&values[3])}, 1},
        {5, "FSB, null", {0}, 0},
        {9, "FSB already current", {33}, 0},
        {9, "FSB below the range", {0xFFFFFFFFu}, 0},
        {9, "FSB one past the last", {201}, 0},
        {10, "DRAM past the range", {41}, 0},
        {11, "Vcore far out", {0x7FFFFFFF}, 0},
        {12, "NB past the range", {17}, 0},
        {5, "FSB after the refused writes", {Arg(&untouched)}, 1},
        {13, "save, null", {0}, 0},
        {13, "save", {Arg(profile.c_str())}, 1},
        {14, "load, null", {0}, 0},
        {14, "load, missing file", {Arg(missing.c_str())}, 0},
        {15, "power-saving mode", {}, 0},
        {12, "NB to 5", {5}, 1},
        {8, "NB after the write", {Arg(&afterWrite)}, 1},
        {14, "load the saved profile", {Arg(profile.c_str())}, 1},
        {8, "NB after the load", {Arg(&afterLoad)}, 1},
    };
    for (const Call& call : calls)
        ExpectCall(module, call);
    // The 52-byte records as a 32-bit caller lays them out.
    EXPECT_STREQ(infos[0].name, "CPU FSB Frequency");
    EXPECT_EQ(infos[0].minimumNumerator, 10000);
    EXPECT_EQ(infos[0].stepDenominator, 100);
    EXPECT_EQ(infos[0].valueCount, 201);
    EXPECT_STREQ(infos[1].name, "DRAM Voltage");
    EXPECT_EQ(infos[1].valueCount, 41);
    EXPECT_STREQ(infos[2].name, "CPU Core Voltage");
    EXPECT_EQ(infos[2].minimumDenominator, 100000);
    EXPECT_EQ(infos[3].valueCount, 17);
    EXPECT_EQ(values[0], 33);
    EXPECT_EQ(values[2], 56);
    EXPECT_EQ(values[3], 4);
    EXPECT_EQ(afterWrite, 5);
    EXPECT_EQ(afterLoad, 4);  // the profile saved before the write puts it back
    EXPECT_EQ(untouched, 33);
}

TEST_F(OnShippedBoard, KyAcpiByOrdinalReadsTheFsbItem)
{
    HMODULE module = LoadFromDist("KyAcpi.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetProcAddress(module, "AcpiOpen"), nullptr) << "exported by ordinal only";
    int value = -7;
    int unknown = -7;
    const Call calls[] = {
        {1, "open", {}, 1},
        {3, "FSB value", {0x03010011, Arg(&value)}, 1},
        {3, "unknown item", {0x03FF0001, Arg(&unknown)}, 0},
        {2, "FSB past the range", {0x03010011, 201, 2}, 0},
    };
    for (const Call& call : calls)
        ExpectCall(module, call);
    EXPECT_EQ(value, 33);
    EXPECT_EQ(unknown, -7);
}

namespace {

// Clicks the named button of the ask dialog once it shows.
void CALLBACK AnswerAskDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowA("TAskDialog", nullptr);
    if (dialog == nullptr || !IsWindowVisible(dialog))
        return;
    static const char* const answers[] = {"OK", "No"};
    for (const char* text : answers) {
        HWND button = FindWindowExA(dialog, nullptr, "KyButtonTx", text);
        if (button != nullptr && IsWindowVisible(button)) {
            PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            return;
        }
    }
    // Unanswerable (its texts missing, say): closed, so that the call returns
    // and its result tells, instead of waiting for the runner's time-out.
    ADD_FAILURE() << "the ask dialog shows neither an OK nor a No button";
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

void* FormVariable(HMODULE module, const char* name)
{
    auto* variable = reinterpret_cast<void**>(GetProcAddress(module, name));
    return variable != nullptr ? *variable : reinterpret_cast<void*>(1);
}

}  // namespace

TEST_F(OnShippedBoard, DovrelExportsByOrdinalAndItsFormVariables)
{
    HMODULE module = LoadFromDist("Dovrel.dll");
    ASSERT_NE(module, nullptr);
    const char* const names[] = {"DovrelCreate",    "DovrelShowModal",  "DovrelShowModalSp",
                                 "DovrelAskDialog", "DovrelWarnDialog", "DovrelAskDialogDanger"};
    for (WORD ordinal = 1; ordinal <= 6; ++ordinal)
        EXPECT_EQ(GetProcAddress(module, names[ordinal - 1]), Ordinal(module, ordinal)) << names[ordinal - 1];
    const char* const variables[] = {"_ProfileDialog", "_ProfileShadowForm", "_AskDialog", "_DialogCover"};
    for (const char* variable : variables)
        EXPECT_EQ(FormVariable(module, variable), nullptr) << variable << " before the create";

    ExpectCall(module, {4, "ask before the create", {Arg("?"), 0, 0}, 2});
    Application->Initialize();
    ExpectCall(module, {1, "create", {Arg(Application)}, kNoResult});
    for (const char* variable : variables)
        EXPECT_NE(FormVariable(module, variable), nullptr) << variable << " after the create";
    UINT_PTR timer = SetTimer(nullptr, 0, 100, &AnswerAskDialog);
    std::string text = "32-bit warn";
    ExpectCall(module, {5, "warn, answered OK", {Arg(text.c_str()), 40, 50}, 1});
    ExpectCall(module, {6, "danger, answered No", {Arg(text.c_str()), 60, 70}, 7});
    KillTimer(nullptr, timer);
}
