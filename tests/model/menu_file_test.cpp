// The menu file: module blocks, sub-menu runs, the eight group blocks and failures.
#include "model/menu_file.h"
#include "os/atomic_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "model/menu_catalog.h"
#include "support/temp_dir.h"

namespace {

std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

std::vector<std::string> FileNames(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ModuleBlock(const MenuCatalog& catalog, const std::string& title) {
    std::string text;
    catalog.WriteModule(title, text);
    return text;
}

TEST(MenuFileTest, ModuleBlockWithSubMenu) {
    MenuCatalog catalog;
    catalog.Add("样例分析软件", "ZETA", "样例分析 ZETA|模型输入\t|RunExeFile|ZETA|In.exe", 4);
    catalog.Add("other", "OTHER", "样例分析 ZETA|内力计算", 5);
    catalog.Add("样例分析软件", "ZETA", "样例分析 ZETA|结果显示_图形|RunExeFile|ZETA|G.exe", 4);
    catalog.Add("样例分析软件", "ZETA", "样例分析 ZETA|结果显示_文本|RunExeFile|ZETA|T.exe", 4);
    catalog.Add("样例分析软件", "ZETA", "样例分析 ZETA|帮助  |RunExeFile|ZETA|H.chm", 4);
    EXPECT_EQ(
        ModuleBlock(catalog, "样例分析 ZETA"),
        Lines({"===========================", "module=\"样例分析 ZETA\",\"ZETA\",4",
               "title=\"样例分析软件\"", "app=\"模型输入\"", "app=\"内力计算\"",
               "menu=\"结果显示\"", "app=\"图形\"", "app=\"文本\"", "menuend", "app=\"帮助  \""}));
}

TEST(MenuFileTest, RunsAreCutWhereTheTrimmedSubMenuNameChanges) {
    MenuCatalog catalog;
    catalog.Add("C", "K", "M|A _1", 1);
    catalog.Add("C", "K", "M| A_2", 1);
    catalog.Add("C", "K", "M|B_1", 1);
    catalog.Add("C", "K", "M|_x_y", 1);
    EXPECT_EQ(ModuleBlock(catalog, "M"),
              Lines({"===========================", "module=\"M\",\"K\",1", "title=\"C\"",
                     "menu=\"A \"", "app=\"1\"", "app=\"2\"", "menuend", "menu=\"B\"", "app=\"1\"",
                     "menuend", "menu=\"\"", "app=\"x_y\"", "menuend"}));
}

TEST(MenuFileTest, RunEndIsDecidedByTheNextRowOfAnyModule) {
    MenuCatalog catalog;
    catalog.Add("C", "K", "M|S_1", 1);
    catalog.Add("C", "K", "N|S_2", 1);  // another module, same sub-menu name: the run goes on
    catalog.Add("C", "K", "M|S_3", 1);
    EXPECT_EQ(ModuleBlock(catalog, "M"),
              Lines({"===========================", "module=\"M\",\"K\",1", "title=\"C\"",
                     "menu=\"S\"", "app=\"1\"", "app=\"3\"", "menuend"}));
}

TEST(MenuFileTest, WholeFileHasEightGroupBlocks) {
    MenuCatalog catalog;
    catalog.Add("C1", "K1", "M1|A|RunExeFile|K1|a.exe", 1);
    catalog.Add("C2", "K2", "M2|B|RunExeFile|K2|b.exe", 2);
    catalog.Add("C3", "K3", "M2|C|RunExeFile|K3|c.exe", 3);
    GroupBounds bounds{{0, 1, 1, 3, 3, 3, 3, 3}};
    TempDir dir;
    EXPECT_EQ(WriteMenuFile(dir / "menu.txt", catalog, bounds), "");
    std::string expected =
        Lines({"===========================", "[建  筑]",
               "===========================", "module=\"M1\",\"K1\",1", "title=\"C1\"", "app=\"A\"",
               "===========================", "[结  构]", "===========================", "[钢结构]",
               "===========================", "module=\"M2\",\"K2\",2", "title=\"C2\"", "app=\"B\"",
               "app=\"C\""});
    for (const char* title : {"[特种结构]", "[砌体结构]", "[鉴定加固]", "[设  备]", ""}) {
        expected += Lines({"===========================", title});
    }
    EXPECT_EQ(ReadWholeFile(dir / "menu.txt"), expected);
    EXPECT_EQ(FileNames(dir), std::vector<std::string>{"menu.txt"});
}

// The file is made group by group through views of the catalogue: each row is read with
// GetParts once to collect the module titles of its group and once for each of them in
// WriteModule, and the text is the module blocks that WriteModule writes from the view.
TEST(MenuFileTest, EveryRowIsReadThroughGetPartsByWriteModule) {
    struct Case {
        const char* name;
        std::vector<std::vector<const char*>> groups;  // the module titles of each group's rows
    };
    const Case cases[] = {
        {"empty", {}},
        {"one row", {{"M"}}},
        {"runs", {{"M", "N", "M", "O"}, {}, {"P", "P"}}},
        {"all groups", {{"A"}, {"B", "C"}, {"D"}, {"E", "E", "F"}, {"G"}, {"H", "I"}, {"J"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuCatalog catalog;
        GroupBounds bounds;
        std::uint64_t expectedReads = 0;
        std::vector<std::pair<int, int>> groupRanges;
        for (int g = 0; g < kGroupCount; ++g) {
            const int begin = catalog.Count();
            const std::vector<const char*> titles =
                g < static_cast<int>(c.groups.size()) ? c.groups[g] : std::vector<const char*>{};
            std::vector<std::string> distinct;
            for (const char* title : titles) {
                catalog.Add("C", "K", std::string(title) + "|S_" + std::to_string(catalog.Count()),
                            1);
                if (std::find(distinct.begin(), distinct.end(), title) == distinct.end())
                    distinct.push_back(title);
            }
            bounds.groupStart[g + 1] = catalog.Count();
            groupRanges.emplace_back(begin, catalog.Count());
            expectedReads += titles.size() * (1 + distinct.size());
        }
        std::string expected;
        for (int pass = 0; pass <= kGroupCount; ++pass) {
            expected += Lines(
                {"===========================", pass < kGroupCount ? kGroupTitles[pass] : ""});
            if (pass == kGroupCount) break;
            MenuCatalog view;
            view.Borrow(catalog, groupRanges[pass].first, groupRanges[pass].second);
            std::vector<std::string> titles;
            view.CollectModuleTitles(titles);
            for (const std::string& title : titles) view.WriteModule(title, expected);
            view.Forget();
        }
        const std::uint64_t before = MenuItem::PartsTaken();
        EXPECT_EQ(MenuFileText(catalog, bounds), expected);
        EXPECT_EQ(MenuItem::PartsTaken() - before, expectedReads);
    }
}

// One catalogue of one row, and a folder to write its menu file into.
class MenuFileWriteTest : public ::testing::Test {
protected:
    MenuFileWriteTest() { catalog.Add("C", "K", "M|A", 1); }

    std::string Write() { return WriteMenuFile(path, catalog, bounds); }
    std::string Expected() const { return MenuFileText(catalog, bounds); }

    MenuCatalog catalog;
    const GroupBounds bounds{{0, 1, 1, 1, 1, 1, 1, 1}};
    TempDir dir;
    const std::string path = dir / "menu.txt";
};

// A file with text, or a directory, is the menu already; an empty file is never a menu.
TEST_F(MenuFileWriteTest, OnlyAnEmptyFileIsWrittenOver) {
    WriteWholeFile(dir / "MENU.TXT", "old");
    EXPECT_EQ(Write(), "");
    EXPECT_EQ(ReadWholeFile(dir / "MENU.TXT"), "old");
    WriteWholeFile(dir / "MENU.TXT", "");
    EXPECT_EQ(Write(), "");
    EXPECT_EQ(ReadWholeFile(dir / "MENU.TXT"), Expected());
    EXPECT_EQ(FileNames(dir).size(), 1u);

    TempDir other;
    std::filesystem::create_directory(other / "menu.txt");
    EXPECT_EQ(WriteMenuFile(other / "menu.txt", catalog, bounds), "");
    EXPECT_TRUE(std::filesystem::is_directory(other / "menu.txt"));
}

// What earlier writes left under the temporary names never blocks the write for long, and
// never stops it for good: a stale temporary met on the way is deleted and its name used. Only
// what no writer can still be at work on is deleted: another host's write in progress is left
// alone (links: tests/model/posix). A time in the future (the clock was set back) makes a
// temporary stale as an old one does. When every name is in use the box says so.
TEST_F(MenuFileWriteTest, OnlyStaleTemporariesAreDeleted) {
    enum Left { kFolder, kFreshFile, kOldFile, kFutureFile };
    struct Case {
        int names;  // menu.~00 and on
        Left left;
        std::size_t entriesAfter;  // "menu.txt" included
    };
    const Case cases[] = {
        {1, kFolder, 2},         {1, kFreshFile, 2},     {1, kOldFile, 1},    {100, kOldFile, 100},
        {100, kFutureFile, 100}, {100, kFreshFile, 100}, {100, kFolder, 100},
    };
    const std::chrono::hours shifts[] = {{}, {}, -std::chrono::hours(1), std::chrono::hours(1)};
    for (const Case& c : cases) {
        TempDir folder;
        for (int n = 0; n < c.names; ++n) {
            const std::string name =
                folder / ("menu.~" + std::to_string(n / 10) + std::to_string(n % 10));
            if (c.left == kFolder) {
                std::filesystem::create_directory(name);
                continue;
            }
            WriteWholeFile(name, "left");
            std::filesystem::last_write_time(
                name, std::filesystem::last_write_time(name) + shifts[c.left]);
        }
        const std::string menu = folder / "menu.txt";
        const bool allTaken = c.names == 100 && (c.left == kFreshFile || c.left == kFolder);
        EXPECT_EQ(WriteMenuFile(menu, catalog, bounds),
                  allTaken ? "该目录已满，无法创建 " + menu + "。" : "")
            << c.names << " " << c.left;
        EXPECT_EQ(ReadWholeFile(menu), allTaken ? "" : Expected());
        EXPECT_EQ(FileNames(folder).size(), c.entriesAfter) << c.names << " " << c.left;
    }
}

// The writer shared with the host: nothing is replaced unless asked for, and nothing is left.
TEST_F(MenuFileWriteTest, AtomicWriteReplacesOnlyWhenAsked) {
    WriteWholeFile(path, "old");
    os::WriteStep step = os::WriteStep::kCreate;
    EXPECT_EQ(os::WriteFileAtomically(path, "new", false, &step), os::kAlreadyExists);
    EXPECT_EQ(step, os::WriteStep::kMove);
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(os::WriteFileAtomically(path, "new", true), os::kSuccess);
    EXPECT_EQ(ReadWholeFile(path), "new");
    EXPECT_EQ(FileNames(dir), std::vector<std::string>{"menu.txt"});
}

// The temporary name is no longer than "menu.txt": a path that fits the host's 259 bytes is
// written, a longer one refused.
TEST_F(MenuFileWriteTest, PathLimitIsThatOfTheMenuFileItself) {
    for (std::size_t length : {259u, 260u}) {
        const std::size_t folderLength = length - dir.Path().size() - 2 - 8;
        const std::string folder = dir / std::string(folderLength, length == 259 ? 'a' : 'b');
        std::filesystem::create_directory(folder);
        const std::string menu = JoinPath(folder, "menu.txt");
        ASSERT_EQ(menu.size(), length);
        const std::string failure = WriteMenuFile(menu, catalog, bounds);
        if (length == 259) {
            EXPECT_EQ(failure, "");
            EXPECT_EQ(ReadWholeFile(menu), Expected());
        } else {
            EXPECT_EQ(failure, menu + " 中包含无效的路径。");
            EXPECT_FALSE(std::filesystem::exists(menu));
        }
    }
}

// A missing folder, and a path without any folder (the host's could not be told): the file
// would land in the current folder.
TEST_F(MenuFileWriteTest, UncreatableFileIsReportedAndNothingIsLeft) {
    const std::string missing = (dir / "missing") + "\\menu.txt";
    EXPECT_EQ(WriteMenuFile(missing, catalog, bounds), missing + " 中包含无效的路径。");
    CurrentDirectoryScope inDir(dir.Path());
    EXPECT_EQ(WriteMenuFile("menu.txt", catalog, bounds), "menu.txt 中包含无效的路径。");
    EXPECT_TRUE(FileNames(dir).empty());
}

TEST(MenuFileTest, FailureTexts) {
    const std::string p = "C:\\host\\menu.txt";
    EXPECT_EQ(OpenFailureText(2, p), "没有找到 C:\\host\\menu.txt。");
    EXPECT_EQ(OpenFailureText(5, p), "对 C:\\host\\menu.txt 的存取被拒绝。");
    EXPECT_EQ(OpenFailureText(124, p), "C:\\host\\menu.txt 中包含无效的路径。");
    EXPECT_EQ(OpenFailureText(32, p), "在存取 C:\\host\\menu.txt 时发生共享违例。");
    EXPECT_EQ(OpenFailureText(996, p), "在存取 C:\\host\\menu.txt 时一个硬件输入/输出错误被报告。");
    EXPECT_EQ(OpenFailureText(38, p), "试图越过其尾端对 C:\\host\\menu.txt 进行读写。");
    EXPECT_EQ(OpenFailureText(1, p), "在对 C:\\host\\menu.txt 进行访问时发生了一个不明错误。");
    EXPECT_EQ(WriteFailureText(p), "Can't open txt file\"C:\\host\\menu.txt\"！");
}

TEST(MenuFileTest, PathBesideTheExecutable) {
    EXPECT_EQ(MenuFilePath("C:\\Suite\\host.exe"), "C:\\Suite\\menu.txt");
    EXPECT_EQ(MenuFilePath("/opt/suite/host"), "/opt/suite/menu.txt");
    // The trail byte of "\x95\\" is not a separator.
    EXPECT_EQ(MenuFilePath("C:\\dir\\\x95\\host.exe"), "C:\\dir\\menu.txt");
}

}  // namespace
