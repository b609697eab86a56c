// Files: exclusive reading, line reading, creating and writing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "os/os.h"
#include "os/status_printing.h"
#include "support/temp_dir.h"

namespace {

std::vector<std::string> ReadAllLines(const std::string& path) {
    os::File file;
    EXPECT_EQ(Code{file.OpenExclusiveRead(path)}, Code{os::kSuccess});
    std::vector<std::string> lines;
    std::string line;
    while (file.ReadLine(line)) {
        lines.push_back(line);
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(FileReadLineTest, SplitsAtLineFeedAndDropsCarriageReturnBeforeIt) {
    TempDir dir;
    WriteWholeFile(dir / "CFGPATH", "CORE\r\nD:\\SUITE\\CORE\\\n\nlast");
    EXPECT_EQ(ReadAllLines(dir / "CFGPATH"), (Lines{"CORE", "D:\\SUITE\\CORE\\", "", "last"}));
}

TEST(FileReadLineTest, KeepsCarriageReturnsNotBeforeLineFeed) {
    TempDir dir;
    WriteWholeFile(dir / "f", "a\rb\n\r\r\n end \r");
    EXPECT_EQ(ReadAllLines(dir / "f"), (Lines{"a\rb", "\r", " end \r"}));
}

TEST(FileReadLineTest, EmptyFileHasNoLines) {
    TempDir dir;
    WriteWholeFile(dir / "f", "");
    EXPECT_EQ(ReadAllLines(dir / "f"), Lines{});
}

TEST(FileReadLineTest, LongLinesAreWhole) {
    TempDir dir;
    const std::string longLine(10000, 'x');
    const std::string chinese = "结构计算数据";
    WriteWholeFile(dir / "f", longLine + "\n" + chinese + "\r\n" + longLine);
    EXPECT_EQ(ReadAllLines(dir / "f"), (Lines{longLine, chinese, longLine}));
}

TEST(FileReadTest, ReadsBytesThenZeroAtTheEnd) {
    TempDir dir;
    WriteWholeFile(dir / "autorunfile.tmp", "23");
    os::File file;
    ASSERT_EQ(Code{file.OpenExclusiveRead(dir / "autorunfile.tmp")}, Code{os::kSuccess});
    char buffer[2] = {};
    EXPECT_EQ(file.Read(buffer, 1), 1);
    EXPECT_EQ(buffer[0], '2');
    EXPECT_EQ(file.Read(buffer, 2), 1);
    EXPECT_EQ(buffer[0], '3');
    EXPECT_EQ(file.Read(buffer, 2), 0);
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.IsOpen());
}

TEST(FileOpenTest, MissingFileOrDirectory) {
    TempDir dir;
    os::File file;
    EXPECT_EQ(Code{file.OpenExclusiveRead(dir / "CFGPATH")}, Code{os::kFileNotFound});
    EXPECT_EQ(Code{os::LastError()}, Code{os::kFileNotFound});
    EXPECT_EQ(Code{file.OpenExclusiveRead(dir / "missing/CFGPATH")}, Code{os::kPathNotFound});
    EXPECT_EQ(Code{os::LastError()}, Code{os::kPathNotFound});
    EXPECT_FALSE(file.IsOpen());
}

TEST(FileOpenTest, DirectoryIsNoFile) {
    TempDir dir;
    std::filesystem::create_directory(dir / "sub");
    os::File file;
    EXPECT_EQ(Code{file.OpenExclusiveRead(dir / "sub")}, Code{os::kAccessDenied});
    EXPECT_FALSE(file.IsOpen());
}

TEST(FileOpenTest, SecondExclusiveOpenIsRefusedUntilTheFirstCloses) {
    TempDir dir;
    WriteWholeFile(dir / "CFGPATH", "CORE\n");
    os::File first;
    ASSERT_EQ(Code{first.OpenExclusiveRead(dir / "CFGPATH")}, Code{os::kSuccess});
    os::File second;
    EXPECT_EQ(Code{second.OpenExclusiveRead(dir / "CFGPATH")}, Code{os::kSharingViolation});
    EXPECT_FALSE(second.IsOpen());
    first.Close();
    EXPECT_EQ(Code{second.OpenExclusiveRead(dir / "CFGPATH")}, Code{os::kSuccess});
}

TEST(FileOpenTest, MoveHandsTheOpenFileOver) {
    TempDir dir;
    WriteWholeFile(dir / "f", "one\ntwo\n");
    os::File first;
    ASSERT_EQ(Code{first.OpenExclusiveRead(dir / "f")}, Code{os::kSuccess});
    std::string line;
    ASSERT_TRUE(first.ReadLine(line));
    os::File second = std::move(first);
    EXPECT_FALSE(first.IsOpen());  // NOLINT(bugprone-use-after-move): moved-from state is defined
    ASSERT_TRUE(second.ReadLine(line));
    EXPECT_EQ(line, "two");
    EXPECT_FALSE(second.ReadLine(line));
}

TEST(FileWriteTest, CreatesAndTruncates) {
    TempDir dir;
    WriteWholeFile(dir / "menu.txt", "old content that is longer");
    os::File file;
    ASSERT_EQ(Code{file.CreateForWriting(dir / "menu.txt")}, Code{os::kSuccess});
    EXPECT_TRUE(file.Write("[建  筑]\r\n"));
    EXPECT_TRUE(file.Write(""));
    EXPECT_TRUE(file.Write("app\r\n"));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadWholeFile(dir / "menu.txt"), "[建  筑]\r\napp\r\n");

    ASSERT_EQ(Code{file.CreateForWriting(dir / "new.txt")}, Code{os::kSuccess});
    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(std::filesystem::exists(dir / "new.txt"));
}

TEST(FileWriteTest, MissingDirectoryIsReported) {
    TempDir dir;
    os::File file;
    EXPECT_EQ(Code{file.CreateForWriting(dir / "missing/menu.txt")}, Code{os::kPathNotFound});
    EXPECT_FALSE(file.Write("x"));
}

}  // namespace
