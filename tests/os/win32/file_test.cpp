// The win32 backend's files: exclusive reads, truncating writes.
#include <windows.h>

#include <gtest/gtest.h>

#include "os/os.h"
#include "support/temp_dir.h"

namespace {

std::string ReadAll(os::File& file) {
    std::string content;
    char buffer[3];  // small on purpose: several reads per file
    for (long count; (count = file.Read(buffer, sizeof buffer)) > 0;) {
        content.append(buffer, static_cast<std::size_t>(count));
    }
    return content;
}

TEST(Win32File, ExclusiveOpenRefusesASecondOpenUntilTheFirstCloses) {
    TempDir dir;
    WriteWholeFile(dir / "CFGPATH", "CORE\r\nC:\\SUITE\\CORE\\\r\n");
    os::File first;
    ASSERT_EQ(first.OpenExclusiveRead(dir / "CFGPATH"), os::kSuccess);
    os::File second;
    EXPECT_EQ(second.OpenExclusiveRead(dir / "cfgpath"), os::kSharingViolation);
    EXPECT_FALSE(second.IsOpen());
    EXPECT_TRUE(first.Close());
    EXPECT_EQ(second.OpenExclusiveRead(dir / "CFGPATH"), os::kSuccess);
    EXPECT_EQ(ReadAll(second), "CORE\r\nC:\\SUITE\\CORE\\\r\n");
}

TEST(Win32File, OpeningAMissingFileFailsWithoutCreatingIt) {
    TempDir dir;
    os::File file;
    EXPECT_EQ(file.OpenExclusiveRead(dir / "missing"), os::kFileNotFound);
    EXPECT_FALSE(os::PatternExists(dir / "missing"));
    EXPECT_EQ(file.OpenExclusiveRead(dir / "no dir\\missing"), os::kPathNotFound);
}

// A device is no disk file: refused at once, as the POSIX backend refuses FIFOs and devices.
TEST(Win32File, ExclusiveReadRefusesADevice) {
    os::File file;
    EXPECT_EQ(file.OpenExclusiveRead("NUL"), os::kAccessDenied);
    EXPECT_FALSE(file.IsOpen());
}

// CREATE_NEW: an existing file or directory is refused and left as it was.
TEST(Win32File, CreateNewNeverOpensAnExistingName) {
    TempDir dir;
    WriteWholeFile(dir / "menu.~00", "stale");
    os::File file;
    EXPECT_NE(file.CreateNew(dir / "menu.~00"), os::kSuccess);
    EXPECT_EQ(ReadWholeFile(dir / "menu.~00"), "stale");
    EXPECT_EQ(file.CreateNew(dir / "menu.~01"), os::kSuccess);
    EXPECT_TRUE(file.Write("new"));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadWholeFile(dir / "menu.~01"), "new");
}

TEST(Win32File, CreateForWritingTruncatesAndWritesBytesUnchanged) {
    TempDir dir;
    WriteWholeFile(dir / "menu.txt", "an older and much longer content");
    const std::string bytes = "[\xBD\xA8  \xD6\xFE]\r\nline\n";  // GBK and both line ends
    os::File file;
    ASSERT_EQ(file.CreateForWriting(dir / "menu.txt"), os::kSuccess);
    EXPECT_TRUE(file.Write(bytes));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadWholeFile(dir / "menu.txt"), bytes);
}

TEST(Win32File, ReadAndWriteOnAClosedFileFail) {
    os::File file;
    char buffer[4];
    EXPECT_EQ(file.Read(buffer, sizeof buffer), -1);
    EXPECT_FALSE(file.Write("x"));
    EXPECT_EQ(os::LastError(), os::kInvalidHandle);
}

TEST(Win32File, CreatingInAMissingDirectoryReportsTheReason) {
    TempDir dir;
    os::File file;
    EXPECT_EQ(file.CreateForWriting(dir / "missing\\menu.txt"), os::kPathNotFound);
    EXPECT_FALSE(file.IsOpen());
}

// Path names here are the ANSI code page's GBK; a name ending in a Chinese character keeps the
// separator after it, also when the character's trail byte is '\' (the POSIX backend's case,
// in UTF-8, is in its path tests). Folders are made directly: the test support may read narrow
// names in another code page.
TEST(Win32File, GbkFolderNamesEndingInAChineseCharacter) {
    TempDir dir;
    for (const char* folder : {"Suite中", "\x81\x5C" /* 乗 */, "结构", "中abc"}) {
        const std::string path = dir.Path() + "\\" + folder;
        ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << folder;
        os::File file;
        ASSERT_EQ(file.CreateForWriting(path + "\\CfgPath"), os::kSuccess) << folder;
        EXPECT_TRUE(file.Write("found"));
        EXPECT_TRUE(file.Close());
        ASSERT_EQ(file.OpenExclusiveRead(path + "\\CFGPATH"), os::kSuccess) << folder;
        EXPECT_EQ(ReadAll(file), "found") << folder;
    }
}

}  // namespace
