// The win32 backend's wildcard search, deletion and replacement.
#include <gtest/gtest.h>

#include <algorithm>

#include "os/os.h"
#include "os/win32/windows_support.h"
#include "support/temp_dir.h"

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Win32Find, MatchesWithoutRegardToCaseAndSkipsDotEntries) {
    TempDir dir;
    WriteWholeFile(dir / "Work1.TMP", "1");
    WriteWholeFile(dir / "work2.tmp", "2");
    WriteWholeFile(dir / "other.txt", "3");

    EXPECT_EQ(Sorted(os::FindMatches(dir / "*.tMp")),
              (std::vector<std::string>{"Work1.TMP", "work2.tmp"}));
    EXPECT_EQ(os::FindMatches(dir / "?ORK1.*"), std::vector<std::string>{"Work1.TMP"});
    EXPECT_EQ(Sorted(os::FindMatches(dir / "*")),
              (std::vector<std::string>{"Work1.TMP", "other.txt", "work2.tmp"}));
    EXPECT_TRUE(os::PatternExists(dir / "OTHER.TXT"));
    EXPECT_FALSE(os::PatternExists(dir / "*.dat"));
    EXPECT_TRUE(os::FindMatches(dir / "*.dat").empty());
}

TEST(Win32Find, DirectoriesMatchAndAnEmptyDirectoryHasNoEntries) {
    TempDir dir;
    ASSERT_TRUE(CreateDirectoryA((dir / "menu.txt").c_str(), nullptr));
    EXPECT_TRUE(os::PatternExists(dir / "menu.txt"));
    EXPECT_FALSE(os::PatternExists(dir / "menu.txt\\*"));  // only "." and ".."
}

TEST(Win32Find, DeletingAReadOnlyFileIsAccessDenied) {
    TempDir dir;
    const std::string path = dir / "locked.T";
    WriteWholeFile(path, "kept");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(os::DeleteFile(path), os::kAccessDenied);
    EXPECT_EQ(ReadWholeFile(path), "kept");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(os::DeleteFile(path), os::kSuccess);
    EXPECT_FALSE(os::PatternExists(path));
    EXPECT_EQ(os::DeleteFile(path), os::kFileNotFound);
}

TEST(Win32Find, MoveReplacesTheTargetInOneStep) {
    TempDir dir;
    WriteWholeFile(dir / "menu.tmp", "new");
    WriteWholeFile(dir / "menu.txt", "old");
    EXPECT_EQ(os::MoveFileDurably(dir / "menu.tmp", dir / "menu.txt", true), os::kSuccess);
    EXPECT_EQ(ReadWholeFile(dir / "menu.txt"), "new");
    EXPECT_FALSE(os::PatternExists(dir / "menu.tmp"));
    EXPECT_EQ(os::MoveFileDurably(dir / "menu.tmp", dir / "menu.txt", true), os::kFileNotFound);
}

}  // namespace
