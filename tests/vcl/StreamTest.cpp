// File and memory streams.

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "TestPaths.h"
#include "platform/vcl/Streams.h"

TEST(VclFileStream, MissingFileRaisesFileOpenError)
{
    zxtest::TempFolder folder;
    try {
        TFileStream stream(folder.File("absent.png"), fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& error) {
        EXPECT_NE(error.Message().find("absent.png"), std::string::npos);
    }
}

TEST(VclFileStream, WritesReadsSeeksAndReportsShortReads)
{
    zxtest::TempFolder folder;
    std::string path = folder.File("data.bin");
    {
        TFileStream out(path, fmCreate);
        out.WriteBuffer("KYOC\x01\x00", 6);
    }
    TFileStream in(path, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(in.Size(), 6);
    char magic[4];
    in.ReadBuffer(magic, 4);
    EXPECT_EQ(std::string(magic, 4), "KYOC");
    EXPECT_EQ(in.Position(), 4);
    char rest[8];
    EXPECT_THROW(in.ReadBuffer(rest, 8), EReadError);
    in.SetPosition(4);
    EXPECT_EQ(in.Read(rest, 8), 2);
}

TEST(VclMemoryStream, CopiesAFileAndReadsBack)
{
    zxtest::TempFolder folder;
    ASSERT_TRUE(zxtest::WriteWholeFile(folder.File("in.txt"), "hello"));
    TMemoryStream memory;
    memory.LoadFromFile(folder.File("in.txt"));
    EXPECT_EQ(memory.Size(), 5);
    char buffer[5];
    memory.ReadBuffer(buffer, 5);
    EXPECT_EQ(std::string(buffer, 5), "hello");
    memory.SaveToFile(folder.File("out.txt"));
    EXPECT_EQ(zxtest::ReadWholeFile(folder.File("out.txt")), "hello");
}
