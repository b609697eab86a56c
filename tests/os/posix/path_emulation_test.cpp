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
}

TEST(PathEmulationTest, GbkTrailByteIsNoSeparator) {
    TempDir dir;
    const std::string trailBackslash = "\x81\x5C";  // 乗: trail byte '\'
    fs::create_directory(dir / trailBackslash);
    WriteWholeFile(dir / (trailBackslash + "/f"), "inside");
    WriteWholeFile(dir / "\x81", "wrong");  // what a split at the trail byte would find
    EXPECT_EQ(ReadThroughSeam(dir.Path() + "\\" + trailBackslash + "\\F"), "inside");
}

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

}  // namespace
