// The win32 backend's wildcard search, deletion and replacement.
#include <gtest/gtest.h>

#include <algorithm>

#include "os/os.h"
#include "os/win32/windows_support.h"
#include "suite/sandbox.h"
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

namespace {

// A "PATH" element that is no full folder path names a folder through the current directory
// (of its drive), which is the project folder during a start: the search passes it over. A
// bare drive is no such element: it names the drive's root.
TEST(Win32ProgramSearch, PassesOverPathElementsThatAreNoFullFolderPaths) {
    TempDir dir;
    const std::string project = dir / "project";
    const std::string listed = dir / "listed";
    for (const std::string& folder : {project, project + "\\bin", listed}) {
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    }
    WriteWholeFile(project + "\\Planted.exe", "MZ");
    WriteWholeFile(project + "\\bin\\Planted.exe", "MZ");
    WriteWholeFile(listed + "\\Listed.exe", "MZ");
    CurrentDirectoryScope inside(project);
    const std::string drive = project.substr(0, 2);  // "Z:"
    std::string forward = listed;
    std::replace(forward.begin(), forward.end(), '\\', '/');
    struct Case {
        std::string path;
        const char* program;
        bool found;
        std::vector<std::string> passedOver;
    };
    // A bare drive is its root, as the system's search reads it.
    const std::string rootProgram = "C:\\TruvRooted.exe";
    WriteWholeFile(rootProgram, "MZ");
    const std::vector<Case> cases = {
        {drive, "Planted.exe", false, {}},
        {"C:", "TruvRooted.exe", true, {}},
        {"\"C:\";" + drive + "bin", "TruvRooted.exe", true, {drive + "bin"}},
        {drive + "bin", "Planted.exe", false, {drive + "bin"}},
        {"\"" + drive + "\";;bin", "Planted.exe", false, {"bin"}},
        {project.substr(2), "Planted.exe", false, {project.substr(2)}},  // from the drive's root
        {listed, "Listed.exe", true, {}},
        {forward, "Listed.exe", true, {}},
        {drive + "bin;" + listed, "Listed.exe", true, {drive + "bin"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.path);
        const suite::ScopedEnv path("PATH", test.path);
        EXPECT_EQ(os::FindProgramFile(test.program).has_value(), test.found);
        EXPECT_EQ(os::UnsearchedPathElements(test.path), test.passedOver);
    }
    os::DeleteFile(rootProgram);
}

}  // namespace
