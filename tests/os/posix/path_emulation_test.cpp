// Windows path names on a case-sensitive file system: '\' separators and case-blind lookup.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "os/os.h"
#include "os/status_printing.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// What the file at `windowsPath` holds, read through the seam; "" when it cannot be opened.
std::string ReadThroughSeam(const std::string& windowsPath) {
    os::File file;
    if (file.OpenExclusiveRead(windowsPath) != os::kSuccess) {
        return "";
    }
    std::string line;
    file.ReadLine(line);
    return line;
}

TEST(PathEmulationTest, BackslashesSeparateAndCaseIsIgnored) {
    TempDir dir;
    fs::create_directories(dir / "Suite/Core");
    WriteWholeFile(dir / "Suite/Core/CfgPath", "found");
    EXPECT_EQ(ReadThroughSeam(dir.Path() + "\\SUITE\\core\\CFGPATH"), "found");
    EXPECT_EQ(ReadThroughSeam(dir.Path() + "/suite\\CORE/cfgpath"), "found");
    EXPECT_EQ(ReadThroughSeam(dir.Path() + "\\suite\\\\core\\.\\cfgpath"), "found");
}

TEST(PathEmulationTest, ExactSpellingWinsThenByteOrder) {
    TempDir dir;
    WriteWholeFile(dir / "data.txt", "lower");
    WriteWholeFile(dir / "DATA.TXT", "upper");
    EXPECT_EQ(ReadThroughSeam(dir / "data.txt"), "lower");
    EXPECT_EQ(ReadThroughSeam(dir / "DATA.TXT"), "upper");
    EXPECT_EQ(ReadThroughSeam(dir / "Data.Txt"), "upper");
    WriteWholeFile(dir / "Notes.txt", "first");
    WriteWholeFile(dir / "notes.TXT", "second");
    EXPECT_EQ(ReadThroughSeam(dir / "NOTES.TXT"), "first");
}

// Names on disk are UTF-8 (written as escapes: literals here compile to GBK); the emulation
// works on them after the seam's translation. Read as GBK, the last byte of 中 would open a
// double-byte character and swallow what follows.
#define ZHONG "\xE4\xB8\xAD"               // 中
#define JIEGOU "\xE7\xBB\x93\xE6\x9E\x84"  // 结构

struct Utf8PathCase {
    const char* folder;   // on disk, holding the file "CfgPath"
    const char* spelled;  // how the path names the folder and the file after it
};

// clang-format off
constexpr Utf8PathCase kUtf8Cases[] = {
    {"Suite" ZHONG,  "Suite" ZHONG "\\CFGPATH"},  // an installation root ending in 中
    {"Suite" ZHONG,  "suite" ZHONG "/cfgpath"},
    {ZHONG "abc",    ZHONG "ABC\\CfgPath"},       // a letter after 中 still folds
    {JIEGOU,         JIEGOU "\\CFGPATH"},
    {"a" JIEGOU "b", "A" JIEGOU "B\\cfgPath"},
};
// clang-format on

TEST(PathEmulationTest, Utf8NamesEndingInAChineseCharacter) {
    for (const Utf8PathCase& c : kUtf8Cases) {
        TempDir dir;
        fs::create_directory(dir / c.folder);
        WriteWholeFile(dir / (std::string(c.folder) + "/CfgPath"), "found");
        // The seam takes GBK names: the UTF-8 spelling goes through it as GBK.
        EXPECT_EQ(ReadThroughSeam(os::Utf8ToGbk(dir.Path() + "\\" + c.spelled)), "found")
            << c.spelled;
    }
}

#undef ZHONG
#undef JIEGOU

TEST(PathEmulationTest, MissingElementsGiveFileOrPathNotFound) {
    TempDir dir;
    fs::create_directory(dir / "Work");
    WriteWholeFile(dir / "plain", "");
    os::File file;
    EXPECT_EQ(Code{file.OpenExclusiveRead(dir.Path() + "\\WORK\\none")}, Code{os::kFileNotFound});
    EXPECT_EQ(Code{file.OpenExclusiveRead(dir.Path() + "\\none\\none")}, Code{os::kPathNotFound});
    EXPECT_EQ(Code{file.OpenExclusiveRead(dir.Path() + "\\plain\\none")}, Code{os::kPathNotFound});
}

TEST(PathEmulationTest, RelativePathsAndCurrentDirectory) {
    TempDir dir;
    fs::create_directories(dir / "Proj1/Sub");
    WriteWholeFile(dir / "Proj1/Sub/XT1.tmp", "x");
    CurrentDirectoryScope restore(dir.Path());
    ASSERT_TRUE(os::SetCurrentDirectory("PROJ1"));
    EXPECT_TRUE(os::PatternExists("sub\\xt?.TMP"));
    EXPECT_EQ(ReadThroughSeam("..\\proj1\\SUB\\xt1.tmp"), "x");
    EXPECT_EQ(Code{os::DeleteFile("Sub\\XT1.TMP")}, Code{os::kSuccess});
    EXPECT_FALSE(fs::exists(dir / "Proj1/Sub/XT1.tmp"));
}

TEST(PathEmulationTest, NewFilesKeepTheSpellingOfTheMissingElement) {
    TempDir dir;
    fs::create_directory(dir / "Host");
    os::File file;
    ASSERT_EQ(Code{file.CreateForWriting(dir.Path() + "\\HOST\\Menu.TXT")}, Code{os::kSuccess});
    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(fs::exists(dir / "Host/Menu.TXT"));
}

// A move to a new name beside the source finds the source's folder in any spelling; a name
// taken, read-only or not, refuses the move; a name elsewhere is looked up as any path.
TEST(PathEmulationTest, MoveWithoutReplacingFindsTheTargetsFolder) {
    const struct {
        const char* from;
        const char* to;
        os::Status status;
        const char* moved;  // where the source's bytes are afterwards
    } cases[] = {
        {"HOST\\a", "HOST\\new", os::kSuccess, "Host/new"},
        {"Host\\a", "Host\\taken", os::kAlreadyExists, "Host/a"},
        {"Host\\a", "Host\\locked", os::kAlreadyExists, "Host/a"},
        {"Host\\a", "host\\DIR\\new", os::kSuccess, "Host/dir/new"},
        {"Host\\dir\\", "Host\\moved\\", os::kSuccess, "Host/moved/x"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        fs::create_directories(dir / "Host/dir");
        WriteWholeFile(dir / "Host/a", "a");
        WriteWholeFile(dir / "Host/dir/x", "a");
        WriteWholeFile(dir / "Host/taken", "t");
        WriteWholeFile(dir / "Host/locked", "l");
        fs::permissions(dir / "Host/locked", fs::perms::owner_read);
        const std::string root = dir.Path() + "\\";
        EXPECT_EQ(Code{os::MoveFileDurably(root + c.from, root + c.to, false)}, Code{c.status})
            << c.to;
        EXPECT_EQ(ReadWholeFile(dir / c.moved), "a") << c.to;
        EXPECT_EQ(ReadWholeFile(dir / "Host/taken"), "t");
        EXPECT_EQ(ReadWholeFile(dir / "Host/locked"), "l");
    }
}

}  // namespace
