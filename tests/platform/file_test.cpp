#include "platform/file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "support/temp_dir.h"

namespace {

TEST(FileTest, ReadsComeBackShortAtTheEndAndWritesGoToThePosition) {
    TempDir dir;
    std::string path = dir.Write("data", "a long old content");
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::OpenMode::CreateWrite));  // cut to length 0
    file.Write("new", 3);
    file.Seek(2, CFile::SeekFrom::Current);
    file.Write("!", 1);  // past the end: the gap reads as zeros
    file.Seek(1, CFile::SeekFrom::Begin);
    file.Write("E", 1);
    EXPECT_EQ(file.GetPosition(), 2u);
    file.Flush();

    ASSERT_TRUE(file.Open(path, CFile::OpenMode::Read));
    EXPECT_EQ(file.GetLength(), 6u);
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 8), 6u);
    EXPECT_EQ(std::string(buffer, 6), std::string("nEw\0\0!", 6));
    EXPECT_EQ(file.Read(buffer, 8), 0u);
    EXPECT_EQ(file.Seek(-2, CFile::SeekFrom::End), 4u);
    EXPECT_EQ(file.BytesLeft(), 2u);
    EXPECT_THROW(file.Seek(-5, CFile::SeekFrom::Current), CFileException);
    EXPECT_EQ(file.Seek(10, CFile::SeekFrom::Begin), 10u);
    EXPECT_EQ(file.BytesLeft(), 0u);
    file.Close();
    file.Close();
    EXPECT_FALSE(file.Open(dir.File("absent"), CFile::OpenMode::Read));
    EXPECT_FALSE(file.Open(dir.File("no/folder"), CFile::OpenMode::CreateWrite));
}

TEST(FileTest, FailuresThrow) {
    TempDir dir;
    std::string path = dir.Write("data", "abc");
    CFile file;
    char buffer[4];
    EXPECT_THROW(file.Read(buffer, 1), CFileException);  // not open
    ASSERT_TRUE(file.Open(path, CFile::OpenMode::Read));
    EXPECT_THROW(file.Write("x", 1), CFileException);
    ASSERT_TRUE(file.Open("/proc/self/mem", CFile::OpenMode::Read));  // reads fail there
    EXPECT_THROW(file.Read(buffer, 1), CFileException);
    ASSERT_TRUE(file.Open("/dev/full", CFile::OpenMode::CreateWrite));
    try {
        file.Write("x", 1);
        ADD_FAILURE() << "a write to a full device succeeded";
    } catch (const CFileException& failure) {
        EXPECT_EQ(failure.systemError, ENOSPC);
    }
}

}  // namespace
