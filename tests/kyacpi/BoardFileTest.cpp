// The board file as NVRAM: writes persist atomically, every process sees
// one state, the call log has exact lines, and a missing or broken board
// fails every call cleanly.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "KyAcpiTestSupport.h"
#include "SimulatedBoard.h"
#include "TestFiles.h"
#include "TestPaths.h"
#include "TestProcess.h"

using namespace kyacpitest;

namespace {

const char kBoard[] = "; a comment that must survive\r\n"
                      "[0x03010011]\r\n"
                      "name=FSB\r\n"
                      "count=201\r\n"
                      "value=33\r\n"
                      "\r\n"
                      "[0x03060013]\r\n"
                      "name=CPU Ratio\r\n"
                      "count=47\r\n"
                      "cores=1,2\r\n"
                      "[0x030600F0]\r\n"
                      "name=Core Select\r\n"
                      "count=2\r\n"
                      "value=255\r\n"
                      "[0x030600F1]\r\n"
                      "name=Danger Limit\r\n"
                      "count=1\r\n"
                      "at.18=0x00600000\r\n"
                      "[0x05080002]\r\n"
                      "name=Profiles\r\n"
                      "strings=A\r\n"
                      "data.0=1,2,3\r\n"
                      "[board]\r\n"
                      "info=5,0x03000000\r\n";

std::string Env(const char* name)
{
    char value[MAX_PATH] = "";
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

}  // namespace

// Child: writes FSB = argument index (from the environment) and exits with
// what it reads back.
ZX_TEST_CHILD(WriteFsb)
{
    int index = std::atoi(Env("KYACPI_TEST_INDEX").c_str());
    AcpiOpen();
    if (AcpiSetItemValue(0x03010011, index, 2) != 1)
        return 100;
    return ReadOr(0x03010011, -1);
}

// Child: exits with the FSB index it reads.
ZX_TEST_CHILD(ReadFsb)
{
    return ReadOr(0x03010011, 200);
}

// Child: exits with AcpiOpen's result.
ZX_TEST_CHILD(OpenOnly)
{
    return AcpiOpen();
}

// Child: many writes, for the interleaving test.
ZX_TEST_CHILD(WriteMany)
{
    for (int i = 0; i < 40; i++)
        AcpiSetItemValue(0x03010011, i, 2);
    return 0;
}

TEST(BoardFile, WritesGoIntoTheFileAndOnlyTheirLinesChange)
{
    zxtest::SimulatedBoard board = zxtest::SimulatedBoard::FromText(kBoard);
    board.UseInThisProcess();
    ASSERT_EQ(AcpiSetItemValue(0x03010011, 40, 2), 1);
    ASSERT_EQ(AcpiSetItemValue(0x030600F0, 1, 1), 1);
    ASSERT_EQ(AcpiSetItemValue(0x03060013, 9, 2), 1);
    ASSERT_EQ(AcpiSetItemValue(0x030600F0, 255, 1), 1);
    ASSERT_EQ(AcpiSetItemValue(0x03060013, 7, 2), 1);

    std::string expected = kBoard;
    auto replace = [&](const std::string& from, const std::string& to) {
        size_t at = expected.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        expected.replace(at, from.size(), to);
    };
    replace("value=33\r\n", "value=40\r\n");
    replace("cores=1,2\r\n", "cores=1,9\r\nvalue=7\r\n");
    EXPECT_EQ(board.BoardText(), expected);

    // A refused write leaves the file as it was.
    EXPECT_EQ(AcpiSetItemValue(0x03010011, 500, 2), 0);
    EXPECT_EQ(board.BoardText(), expected);

    // No temporary file is left beside the board.
    WIN32_FIND_DATAA found;
    std::string folder = board.BoardPath().substr(0, board.BoardPath().find_last_of('\\'));
    HANDLE find = FindFirstFileA(zxtest::JoinPath(folder, "*.tmp").c_str(), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE);
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
}

TEST(BoardFile, WriteThatCannotReachTheFileFailsAndChangesNothing)
{
    zxtest::SimulatedBoard board = zxtest::SimulatedBoard::FromText(kBoard);
    board.UseInThisProcess();
    ASSERT_TRUE(SetFileAttributesA(board.BoardPath().c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(AcpiSetItemValue(0x03010011, 40, 2), 0);
    EXPECT_EQ(ReadOr(0x03010011, -1), 33);
    EXPECT_EQ(board.BoardText(), kBoard);
    EXPECT_EQ(zxtest::LinesContaining(board.LogPath(), "cannot write board file").size(), 1u);
    SetFileAttributesA(board.BoardPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(AcpiSetItemValue(0x03010011, 40, 2), 1);
}

TEST(BoardFile, AnotherProcessSeesWritesAndEditsAtTheNextCall)
{
    zxtest::SimulatedBoard board = zxtest::SimulatedBoard::FromText(kBoard);
    board.UseInThisProcess();
    EXPECT_EQ(ReadOr(0x03010011, -1), 33);

    zxtest::Environment environment = board.Env();
    environment.push_back({"KYACPI_TEST_INDEX", "77"});
    zxtest::ProcessResult writer = zxtest::RunChild("WriteFsb", environment);
    ASSERT_TRUE(writer.started);
    EXPECT_EQ(writer.exitCode, 77u) << writer.output;
    EXPECT_EQ(ReadOr(0x03010011, -1), 77);

    // An edit of the file by hand (a test) is seen by the next call.
    std::string text = board.BoardText();
    text.replace(text.find("value=77"), 8, "value=12");
    ASSERT_TRUE(board.Rewrite(text));
    EXPECT_EQ(ReadOr(0x03010011, -1), 12);
    zxtest::ProcessResult reader = zxtest::RunChild("ReadFsb", board.Env());
    EXPECT_EQ(reader.exitCode, 12u) << reader.output;
}

// The library keeps the parsed board between calls; each way of changing the
// file right after a call, also to one of the same size, shows at the next.
TEST(BoardFile, EveryChangeOfTheFileShowsAtTheNextCall)
{
    zxtest::SimulatedBoard board = zxtest::SimulatedBoard::FromText(kBoard);
    board.UseInThisProcess();
    const std::string path = board.BoardPath();
    auto withFsb = [](const char* value) {
        std::string text = kBoard;
        text.replace(text.find("value=33"), 8, std::string("value=") + value);
        return text;
    };
    struct Case {
        const char* change;
        std::function<bool()> apply;
        int expected;  // -1: every call fails
    } cases[] = {
        {"rewritten in place", [&] { return board.Rewrite(withFsb("44")); }, 44},
        {"replaced by another file",
         [&] {
             const std::string other = path + ".other";
             return zxtest::WriteWholeFile(other, withFsb("55")) &&
                    MoveFileExA(other.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
         },
         55},
        {"deleted", [&] { return DeleteFileA(path.c_str()) != FALSE; }, -1},
        {"made again", [&] { return board.Rewrite(withFsb("66")); }, 66},
        {"written through the library", [&] { return AcpiSetItemValue(0x03010011, 77, 2) == 1; }, 77},
        {"rewritten in place after that write", [&] { return board.Rewrite(withFsb("88")); }, 88},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        ReadOr(0x03010011, -1);  // the board as it was, parsed
        ASSERT_TRUE(c.apply());
        EXPECT_EQ(ReadOr(0x03010011, -1), c.expected);
    }
}

TEST(BoardFile, LogHasOneExactLinePerCall)
{
    zxtest::SimulatedBoard board = zxtest::SimulatedBoard::FromText(kBoard);
    board.UseInThisProcess();
    const std::string pid = "pid=" + std::to_string(GetCurrentProcessId()) + " ";

    std::vector<BYTE> buffer(kAcpiPackageBufferSize);
    int size = kAcpiPackageBufferSize;
    AcpiOpen();
    AcpiOpen();
    AcpiSetItemValue(0x03010011, 40, 2);
    AcpiSetItemValue(0x03010011, 999, 1);
    int index = -3;
    AcpiGetItemValue(0x03010011, &index);
    index = -3;
    AcpiGetItemValue(0x03010099, &index);
    AcpiReadInfoList(buffer.data(), &size);
    size = kAcpiPackageBufferSize;
    AcpiReadGroupList(3, buffer.data(), &size);
    int bytes = ReadDescriptor(0x03010011).bytes;
    int value = 0x1234;
    AcpiGetItemValueAt(0x030600F1, 18, &value);
    value = 0x1234;
    AcpiGetItemValueAt(0x030600F1, 19, &value);
    size = 8;
    AcpiReadItemData(0x05080002, 0, buffer.data(), &size);
    // The walk is not logged.
    AcpiElementCount(buffer.data());

    std::vector<std::string> expected = {
        pid + "AcpiOpen result=1",
        pid + "AcpiOpen result=1",
        pid + "AcpiSetItemValue id=0x03010011 index=40 mode=2 result=1",
        pid + "AcpiSetItemValue id=0x03010011 index=999 mode=1 result=0",
        pid + "AcpiGetItemValue id=0x03010011 result=1 index=40",
        pid + "AcpiGetItemValue id=0x03010099 result=0 index=-3",
        pid + "AcpiReadInfoList result=1 count=4",
        pid + "AcpiReadGroupList group=3 result=1 count=4",
        pid + "AcpiReadItemDescriptor id=0x03010011 result=1 bytes=" + std::to_string(bytes),
        pid + "AcpiGetItemValueAt id=0x030600F1 pos=18 result=1 value=0x00600000",
        pid + "AcpiGetItemValueAt id=0x030600F1 pos=19 result=0 value=0x00001234",
        pid + "AcpiReadItemData id=0x05080002 number=0 size=8 result=1 bytes=8",
    };
    EXPECT_EQ(board.LogLines(), expected);
}

TEST(BoardFile, LinesOfSeveralProcessesNeverMix)
{
    zxtest::SimulatedBoard board = zxtest::SimulatedBoard::FromText(kBoard);
    const std::string command = zxtest::Quote(zxtest::SelfPath()) + " --zx-child=WriteMany";
    zxtest::BackgroundProcess first, second;
    ASSERT_TRUE(first.Start(command, board.Env()));
    ASSERT_TRUE(second.Start(command, board.Env()));
    ASSERT_TRUE(first.Wait(60000));
    ASSERT_TRUE(second.Wait(60000));

    const std::string firstPid = "pid=" + std::to_string(first.Id()) + " AcpiSetItemValue id=0x03010011 index=";
    const std::string secondPid = "pid=" + std::to_string(second.Id()) + " AcpiSetItemValue id=0x03010011 index=";
    std::vector<std::string> lines = board.LogLines();
    EXPECT_EQ(lines.size(), 80u);
    int fromFirst = 0, fromSecond = 0;
    for (const std::string& line : lines) {
        bool isFirst = line.compare(0, firstPid.size(), firstPid) == 0;
        bool isSecond = line.compare(0, secondPid.size(), secondPid) == 0;
        EXPECT_TRUE(isFirst || isSecond) << line;
        EXPECT_NE(line.find(" mode=2 result=1"), std::string::npos) << line;
        fromFirst += isFirst;
        fromSecond += isSecond;
    }
    EXPECT_EQ(fromFirst, 40);
    EXPECT_EQ(fromSecond, 40);
    // Both ended on index 39; the file holds it.
    EXPECT_NE(board.BoardText().find("value=39"), std::string::npos);
}

TEST(BoardFile, MissingOrMalformedBoardFailsEveryCallAndSaysWhy)
{
    struct Case {
        const char* text;  // null: no board file at all
        const char* reason;
    } cases[] = {
        {nullptr, "cannot open board file"},
        {"[0x03010011]\nname=FSB\ncount=ten\n", "line 3: count must be a number"},
        {"[0x03010011]\nname=FSB\ncolour=red\n", "line 3: unknown key 'colour'"},
        {"[0x03010011]\n[0x03010011]\n", "line 2: item [0x03010011] appears twice"},
        {"[nonsense]\n", "line 1: unknown section [nonsense]"},
        {"value=3\n", "line 1: neither"},
        {"", "no sections"},
        {"; only a comment\n", "no sections"},
        {"[0x03010011]\nfail=explode\n", "unknown fail switch 'explode'"},
        {"[0x03080018]\nname=LLC\n", "a string item needs strings="},
        {"[0x03010019]\nname=VTT\nstrings=Auto\n", "flag 8"},
        {"[0x03060013]\ncores=1,2\n", "core selector"},
        {"[0x03060013]\ncores=1,2\n[0x030600F0]\ncount=4\n", "one value per core"},
        {"[0x030600F0]\ncount=4\nvalue=4\n", "0..count-1 or 255"},
    };
    for (const Case& c : cases) {
        zxtest::SimulatedBoard board = zxtest::SimulatedBoard::FromText(c.text ? c.text : "");
        if (!c.text)
            DeleteFileA(board.BoardPath().c_str());
        board.UseInThisProcess();
        SCOPED_TRACE(c.text ? c.text : "(no file)");

        EXPECT_EQ(AcpiOpen(), 0);
        int index = 5;
        EXPECT_EQ(AcpiGetItemValue(0x03010011, &index), 0);
        EXPECT_EQ(index, 5);
        EXPECT_EQ(AcpiSetItemValue(0x03010011, 1, 2), 0);
        std::vector<BYTE> buffer(kAcpiPackageBufferSize, 0xCC);
        int size = kAcpiPackageBufferSize;
        EXPECT_EQ(AcpiReadGroupList(3, buffer.data(), &size), 0);
        EXPECT_EQ(AcpiReadInfoList(buffer.data(), &size), 0);
        EXPECT_EQ(ReadDescriptor(0x03010011).result, 0);
        EXPECT_EQ(AcpiReadItemData(0x03010011, 0, buffer.data(), &size), 0);
        EXPECT_EQ(AcpiGetItemValueAt(0x03010011, 0, &index), 0);
        EXPECT_EQ(buffer[0], 0xCC);

        std::vector<std::string> reasons = zxtest::LinesContaining(board.LogPath(), "KyAcpi board unavailable");
        ASSERT_EQ(reasons.size(), 1u) << "the reason is logged once";
        EXPECT_NE(reasons[0].find(c.reason), std::string::npos) << reasons[0];
        EXPECT_EQ(zxtest::LinesContaining(board.LogPath(), "AcpiOpen result=0").size(), 1u);
        if (c.text) {
            EXPECT_EQ(board.BoardText(), c.text) << "a broken board is never rewritten";
        }
    }
}

TEST(BoardFile, WithoutKyacpiBoardOnlyTheFolderOfTheLibraryCounts)
{
    // A copy of this program and of the library in a folder of their own.
    zxtest::TempFolder folder;
    std::string program = folder.File("kyacpi_child.exe");
    ASSERT_TRUE(CopyFileA(zxtest::SelfPath().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA(zxtest::JoinPath(zxtest::DistDir(), "KyAcpi.dll").c_str(), folder.File("KyAcpi.dll").c_str(), FALSE));
    const std::string log = folder.File("calls.log");
    const zxtest::Environment environment = {{"KYACPI_BOARD", ""}, {"KYACPI_LOG", log}};
    const std::string command = zxtest::Quote(program) + " --zx-child=OpenOnly";

    zxtest::ProcessResult without = zxtest::RunProcess(command, environment);
    EXPECT_EQ(without.exitCode, 0u) << without.output;
    std::vector<std::string> reasons = zxtest::LinesContaining(log, "KyAcpi board unavailable");
    ASSERT_EQ(reasons.size(), 1u);
    EXPECT_NE(reasons[0].find(folder.File("KyAcpiBoard.ini")), std::string::npos) << reasons[0];

    ASSERT_TRUE(zxtest::WriteWholeFile(folder.File("KyAcpiBoard.ini"), kBoard));
    zxtest::ProcessResult with = zxtest::RunProcess(command, environment);
    EXPECT_EQ(with.exitCode, 1u) << with.output;
}

TEST(BoardFile, WithoutKyacpiBoardTheBoardBesideTheLibraryIsUsed)
{
    SetEnvironmentVariableA("KYACPI_BOARD", nullptr);
    ASSERT_TRUE(zxtest::FileExists(zxtest::JoinPath(zxtest::DistDir(), "KyAcpiBoard.ini")));
    EXPECT_EQ(AcpiOpen(), 1);
    Descriptor fsb = ReadDescriptor(0x03010011);
    ASSERT_NE(fsb.result, 0);
    EXPECT_EQ(fsb.elements[1].text, "CPU FSB Frequency");
}
