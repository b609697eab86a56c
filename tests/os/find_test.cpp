// Wildcard search, deletion and replacement of files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "os/os.h"
#include "os/status_printing.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

Names SortedMatches(const std::string& pattern) {
    Names names = os::FindMatches(pattern);
    std::sort(names.begin(), names.end());
    return names;
}

void MakeReadOnly(const std::string& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

TEST(PatternExistsTest, MatchesWithoutRegardToCase) {
    TempDir dir;
    WriteWholeFile(dir / "Autorunfile.tmp", "2");
    EXPECT_TRUE(os::PatternExists(dir / "Autorunfile.tmp"));
    EXPECT_TRUE(os::PatternExists(dir / "autorunfile.tmp"));
    EXPECT_TRUE(os::PatternExists(dir / "AUTORUN?ILE.*"));
    EXPECT_FALSE(os::PatternExists(dir / "Autorunfile.tm"));
}

TEST(PatternExistsTest, DirectoriesMatchToo) {
    TempDir dir;
    fs::create_directory(dir / "REDRAW.tmp");
    EXPECT_TRUE(os::PatternExists(dir / "redraw.TMP"));
}

TEST(PatternExistsTest, NothingFound) {
    TempDir dir;
    EXPECT_FALSE(os::PatternExists(dir / "XT?.TMP"));
    EXPECT_EQ(Code{os::LastError()}, Code{os::kFileNotFound});
    EXPECT_FALSE(os::PatternExists(dir / "missing/XT?.TMP"));
    EXPECT_EQ(Code{os::LastError()}, Code{os::kPathNotFound});
}

TEST(PatternExistsTest, RelativePatternSearchesTheCurrentDirectory) {
    TempDir dir;
    WriteWholeFile(dir / "STG4NAME.tmp", "");
    CurrentDirectoryScope inside(dir.Path());
    EXPECT_TRUE(os::PatternExists("stg4name.tmp"));
    EXPECT_FALSE(os::PatternExists("return.tmp"));
}

TEST(FindMatchesTest, NamesOfMatchingEntriesOnly) {
    TempDir dir;
    for (const char* name : {"XT1.tmp", "xt2.TMP", "XT12.tmp", "XT1.blk", "CFG1.TMP"}) {
        WriteWholeFile(dir / name, "");
    }
    fs::create_directory(dir / "XT3.TMP");
    EXPECT_EQ(SortedMatches(dir / "XT?.TMP"), (Names{"XT1.tmp", "XT3.TMP", "xt2.TMP"}));
    EXPECT_EQ(SortedMatches(dir / "*.BLK"), (Names{"XT1.blk"}));
    EXPECT_EQ(SortedMatches(dir / "NONE*"), Names{});
}

// GBK names stay out of the test support's paths, whose conversions may read narrow names in
// another code page; they are joined with '\\' and created through the seam itself.
void CreateThroughSeam(const std::string& path) {
    os::File file;
    ASSERT_EQ(Code{file.CreateForWriting(path)}, Code{os::kSuccess});
}

TEST(FindMatchesTest, ChineseNames) {
    TempDir dir;
    const std::string folder = dir.Path() + "\\";
    CreateThroughSeam(folder + "结构1.dat");
    CreateThroughSeam(folder + "结构22.dat");
    EXPECT_EQ(SortedMatches(folder + "结构?.DAT"), (Names{"结构1.dat"}));
    EXPECT_EQ(SortedMatches(folder + "结构*.dat"), (Names{"结构1.dat", "结构22.dat"}));
}

TEST(DeleteFileTest, DeletesWithoutRegardToCase) {
    TempDir dir;
    WriteWholeFile(dir / "REDRAW.tmp", "");
    EXPECT_EQ(Code{os::DeleteFile(dir / "redraw.tmp")}, Code{os::kSuccess});
    EXPECT_FALSE(fs::exists(dir / "REDRAW.tmp"));
    EXPECT_EQ(Code{os::DeleteFile(dir / "REDRAW.tmp")}, Code{os::kFileNotFound});
    EXPECT_EQ(Code{os::DeleteFile(dir / "missing/REDRAW.tmp")}, Code{os::kPathNotFound});
}

TEST(DeleteFileTest, ReadOnlyFileAndDirectoryAreRefused) {
    TempDir dir;
    WriteWholeFile(dir / "CFG1.TMP", "keep");
    MakeReadOnly(dir / "CFG1.TMP");
    fs::create_directory(dir / "CFG2.TMP");
    EXPECT_EQ(Code{os::DeleteFile(dir / "CFG1.TMP")}, Code{os::kAccessDenied});
    EXPECT_EQ(Code{os::LastError()}, Code{os::kAccessDenied});
    EXPECT_EQ(Code{os::DeleteFile(dir / "CFG2.TMP")}, Code{os::kAccessDenied});
    EXPECT_EQ(ReadWholeFile(dir / "CFG1.TMP"), "keep");
    EXPECT_TRUE(fs::is_directory(dir / "CFG2.TMP"));
}

TEST(MoveFileReplacingTest, ReplacesTheTarget) {
    TempDir dir;
    WriteWholeFile(dir / "menu.new", "new");
    WriteWholeFile(dir / "menu.txt", "old");
    EXPECT_EQ(Code{os::MoveFileDurably(dir / "menu.new", dir / "menu.txt", true)},
              Code{os::kSuccess});
    EXPECT_EQ(ReadWholeFile(dir / "menu.txt"), "new");
    EXPECT_FALSE(fs::exists(dir / "menu.new"));
    EXPECT_EQ(Code{os::MoveFileDurably(dir / "menu.new", dir / "menu.txt", true)},
              Code{os::kFileNotFound});
}

}  // namespace
