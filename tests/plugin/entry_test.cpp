// The two entry points: the catalogue, the menu file beside the executable, the project
// directory and the group boundaries, with both variants of the prestressed-concrete block.
#include "plugin/entry.h"
#include "catalogue/builders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "launch/launcher.h"
#include "model/menu_catalog.h"
#include "os/os.h"
#include "plugin/failing_allocation.h"
#include "plugin/globals.h"
#include "support/box_capture.h"
#include "support/fault_plan.h"
#include "support/installation_fixture.h"
#include "support/open_handles.h"
#include "support/temp_dir.h"

namespace {

using Args = std::vector<std::string>;

// The menu file that the catalogue must produce, checked in beside this test; the two
// variants of the prestressed-concrete block differ only in directory keys, which the menu
// file does not show. Setting TRUV_UPDATE_GOLDEN=1 rewrites it from the current catalogue.
std::string GoldenFile() {
    return std::string(TRUV_GOLDEN_DIR) + "/menu.txt";
}

// The first line where two texts differ, both versions; empty when they are equal.
std::string FirstDifference(const std::string& actual, const std::string& expected) {
    std::size_t line = 1;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < std::max(actual.size(), expected.size()); ++pos) {
        if (pos >= actual.size() || pos >= expected.size() || actual[pos] != expected[pos]) {
            auto lineAt = [start](const std::string& text) {
                return start < text.size() ? text.substr(start, text.find('\n', start) - start)
                                           : "";
            };
            return "line " + std::to_string(line) + ": [" + lineAt(actual) + "] expected [" +
                   lineAt(expected) + "]";
        }
        if (actual[pos] == '\n') {
            ++line;
            start = pos + 1;
        }
    }
    return "";
}

class EntryTest : public InstallationTest {
protected:
    EntryTest() : menuPath(MenuFilePath(os::HostExecutablePath())) { os::DeleteFile(menuPath); }
    ~EntryTest() override { os::DeleteFile(menuPath); }

    std::string MenuFileOf(bool lyr) {
        sandbox.WriteCfgPathLines(lyr ? Args{"lyr", "x"} : Args{"LYR8", "x"});
        MenuCatalog catalog;
        const GroupBounds bounds = BuildMenuGroups(catalog);
        TempDir dir;
        WriteMenuFile(dir / "menu.txt", catalog, bounds);
        return ReadWholeFile(dir / "menu.txt");
    }

    void CompareWithGolden(bool lyr) {
        const std::string written = MenuFileOf(lyr);
        const std::string golden = GoldenFile();
        const char* update = std::getenv("TRUV_UPDATE_GOLDEN");
        if (update != nullptr && std::string(update) == "1") WriteWholeFile(golden, written);
        EXPECT_EQ(FirstDifference(written, ReadWholeFile(golden)), "") << "differs from " << golden;
    }

    std::string menuPath;
};

TEST_F(EntryTest, GroupBoundariesOnAnEmptyCatalogue) {
    for (bool lyr : {false, true}) {
        sandbox.WriteCfgPathLines(lyr ? Args{"LYR", "x"} : Args{});
        MenuCatalog catalog;
        const GroupBounds bounds = BuildMenuGroups(catalog);
        const GroupBounds expected{{0, 17, 107, 158, 196, 231, 253, 321}};
        for (int k = 0; k <= kGroupCount; ++k) {
            EXPECT_EQ(bounds.groupStart[k], expected.groupStart[k]) << "group " << k;
        }
        // A second run adds nothing while the answer about LYR stays.
        BuildMenuGroups(catalog);
        EXPECT_EQ(catalog.Count(), 321);
    }
}

TEST_F(EntryTest, VariantFollowsTheLyrKeyLine) {
    auto countLyrRows = [](const MenuCatalog& catalog, const std::string& key) {
        int rows = 0;
        for (int i = 0; i < catalog.Count(); ++i) {
            rows += catalog.ItemAt(i).RowText().find("|" + key + "|") != std::string::npos;
        }
        return rows;
    };
    sandbox.WriteCfgPathLines({"lyr", "x"});
    MenuCatalog withLyr;
    BuildMenuGroups(withLyr);
    sandbox.WriteCfgPathLines({"LYR8", "x"});
    MenuCatalog withoutLyr;
    BuildMenuGroups(withoutLyr);
    EXPECT_EQ(countLyrRows(withLyr, "LYR") - countLyrRows(withoutLyr, "LYR"), 4);
    EXPECT_EQ(countLyrRows(withoutLyr, "LYR8") - countLyrRows(withLyr, "LYR8"), 4);
    // The other variant's four rows are added at the end when the answer changes.
    BuildMenuGroups(withoutLyr);
    sandbox.WriteCfgPathLines({"LYR", "x"});
    BuildMenuGroups(withoutLyr);
    EXPECT_EQ(withoutLyr.Count(), 325);
}

TEST_F(EntryTest, MenuFilesMatchTheGoldenFiles) {
    CompareWithGolden(true);
    CompareWithGolden(false);
}

TEST_F(EntryTest, InitWritesTheMenuFileBesideTheExecutableOnce) {
    const char* first = InitTruvApp();
    EXPECT_STREQ(first, "CFG");
    const std::string written = ReadWholeFile(menuPath);
    EXPECT_EQ(written.substr(0, 39), "===========================\r\n[建  筑]\r\n");
    EXPECT_EQ(TheCatalog().Count(), 321);
    WriteWholeFile(menuPath, "kept");
    EXPECT_EQ(InitTruvApp(), first);
    EXPECT_EQ(ReadWholeFile(menuPath), "kept");
    EXPECT_EQ(TheCatalog().Count(), 321);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(EntryTest, LaterInitWritesTheSameFile) {
    const std::string expected = MenuFileOf(false);
    for (int call = 0; call < 2; ++call) {
        os::DeleteFile(menuPath);
        InitTruvApp();
        EXPECT_EQ(FirstDifference(ReadWholeFile(menuPath), expected), "") << "call " << call;
    }
}

// A host that breaks the one-thread rule: the catalogue and the file stay whole.
TEST_F(EntryTest, ConcurrentCallsKeepCatalogueAndFileWhole) {
    const std::string expected = MenuFileOf(false);
    for (int round = 0; round < 4; ++round) {
        os::DeleteFile(menuPath);
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) threads.emplace_back([] { InitTruvApp(); });
        threads.emplace_back([] { RunCommand(const_cast<char*>("no such module|no such item")); });
        for (std::thread& thread : threads) thread.join();
        EXPECT_EQ(FirstDifference(ReadWholeFile(menuPath), expected), "") << "round " << round;
        EXPECT_EQ(TheCatalog().Count(), 321);
    }
    EXPECT_TRUE(BoxTexts().empty());
}

// Started by the next test as one of several hosts of one folder.
TEST(EntryChild, DISABLED_InitShowsNoBox) {
    BoxCapture boxes;
    InitTruvApp();
    EXPECT_EQ(boxes.Take().size(), 0u);
}

// Hosts that start at once in one folder write one good menu file, show no box and leave no
// temporary.
TEST_F(EntryTest, HostsStartingTogetherShowNoBox) {
    const std::string expected = MenuFileOf(false);
    const std::string command = "\"" + os::HostExecutablePath() +
                                "\" --gtest_filter=EntryChild.DISABLED_InitShowsNoBox"
                                " --gtest_also_run_disabled_tests";
    const std::string menuFolder = menuPath.substr(0, menuPath.size() - 8);
    const os::EnvironmentBlock environment;
    for (int round = 0; round < 4; ++round) {
        os::DeleteFile(menuPath);
        std::vector<os::Process> hosts(6);
        for (os::Process& host : hosts) {
            ASSERT_EQ(os::StartProcess(command, environment, sandbox.ProjectDir(), host),
                      os::kSuccess);
        }
        for (os::Process& host : hosts) {
            host.Wait();
            EXPECT_EQ(host.ExitCode(), 0u) << "round " << round;
        }
        EXPECT_EQ(FirstDifference(ReadWholeFile(menuPath), expected), "") << "round " << round;
        EXPECT_EQ(os::FindMatches(menuFolder + "menu.~??"), std::vector<std::string>{});
    }
}

// Whichever allocation fails, the exports return normally and say so in a box, and leave
// no handle, descriptor or temporary file behind.
TEST_F(EntryTest, EveryFailedAllocationIsReportedAndLeavesNothingOpen) {
    const std::string outOfMemory = "内存不足，无法完成该操作!";
    const std::string menuFolder = menuPath.substr(0, menuPath.size() - 8);
    CurrentDirectoryScope inProject(sandbox.ProjectDir());
    sandbox.Install({{"CORE", "CORE", {"Modelin.exe", "Stage2.exe"}}});
    struct Call {
        const char* name;
        std::function<void()> prepare;
        std::function<void()> run;
    };
    const Call calls[] = {
        {"InitTruvApp", [this] { os::DeleteFile(menuPath); },
         [] { EXPECT_STREQ(InitTruvApp(), "CFG"); }},
        // A flow that starts programs, tests for a work file and deletes it.
        {"RunCommand", [this] { WriteWholeFile(ProjectFile("Autorunfile.tmp"), "x2"); },
         [] { RunCommand(const_cast<char*>("CORECAD|建筑模型与荷载输入")); }},
    };
    for (const Call& call : calls) {
        SCOPED_TRACE(call.name);
        call.prepare();
        call.run();  // the first call fills the catalogue: later ones allocate less
        call.prepare();
        BoxTexts();
        const long before = AllocationCount();
        call.run();
        const long allocations = AllocationCount() - before;
        ASSERT_GT(allocations, 0);
        const std::vector<std::string> unfailed = BoxTexts();
        for (long n = 1; n <= allocations; ++n) {
            call.prepare();
            const long handles = OpenHandleCount();
            FailAllocationAt(AllocationCount() + n);
            EXPECT_NO_THROW(call.run());
            FailAllocationAt(0);
            const std::vector<std::string> shown = BoxTexts();
            EXPECT_TRUE(std::find(shown.begin(), shown.end(), outOfMemory) != shown.end() ||
                        shown == unfailed)
                << "allocation " << n;
            EXPECT_EQ(OpenHandleCount(), handles) << "allocation " << n;
            EXPECT_EQ(os::FindMatches(menuFolder + "menu.~??"), std::vector<std::string>{})
                << "allocation " << n;
        }
        Started();
    }
}

TEST_F(EntryTest, RunCommandRecordsTheDirectoryBeforeLookingAtTheKey) {
    const std::string project = sandbox.ProjectDir();
    CurrentDirectoryScope inProject(project);
    TheLauncher().workDir = "stale";
    RunCommand(const_cast<char*>(""));
    EXPECT_EQ(TheLauncher().workDir, os::CurrentDirectory());
    TheLauncher().workDir = "stale";
    RunCommand(nullptr);
    EXPECT_EQ(TheLauncher().workDir, os::CurrentDirectory());
    EXPECT_EQ(BoxTexts(), (Args{"命令为空，无法运行!", "命令为空，无法运行!"}));
}

// A host that changes to another project and picks from within a pick (a box's hook, a timer,
// a window procedure on the pick's thread): the nested pick runs in its own project, and the
// outer one goes on in its own, with its own current directory back, whatever the nested one
// did.
TEST_F(EntryTest, NestedPickLeavesTheOuterPickInItsProject) {
    // Three starts, the deletion of "$wat*.tub", two starts.
    const std::string outerKey = "箱形基础设计 TUB|墙体配筋选择";
    sandbox.Install({{"TUB", "tub", {"TUB72.exe", "WALLRF.exe", "TUB73.exe", "TUB82.exe"}}});
    if (TheCatalog().Count() == 0) BuildMenuGroups(TheCatalog());
    const std::string projectA = sandbox.ProjectDir();
    const std::string projectB = sandbox.Temp() / "projectB";
    std::filesystem::create_directory(projectB);
    struct Case {
        const char* nestedKey;
        std::size_t nestedStarts;
        bool keepsWorkFileOfB;
    };
    const Case cases[] = {
        {"no such module|no such item", 0, true},
        {"箱形基础设计 TUB|墙体配筋选择", 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nestedKey);
        WriteWholeFile(ProjectFile("$wat1.tub"), "A");
        WriteWholeFile(projectB + "/$wat1.tub", "B");
        sandbox.ClearJournal();
        std::optional<std::string> directoryAfterNested;
        {
            const CurrentDirectoryScope inA(projectA);
            FaultPlan plan;
            // As the outer flow deletes its work files, between its third and fourth start.
            plan.BeforeNth(SystemCall::kDelete, 1, [&] {
                os::SetCurrentDirectory(projectB);
                RunCommand(const_cast<char*>(c.nestedKey));
                directoryAfterNested = os::CurrentDirectory();
            });
            RunCommand(const_cast<char*>(outerKey.c_str()));
            EXPECT_EQ(TheLauncher().workDir, projectA);
        }
        EXPECT_EQ(directoryAfterNested, projectA);
        const std::vector<suite::JournalRecord> starts = sandbox.ReadJournal();
        ASSERT_EQ(starts.size(), c.nestedStarts + 5);
        for (std::size_t n = 0; n < starts.size(); ++n) {
            const bool nested = n >= 3 && n < 3 + c.nestedStarts;
            EXPECT_EQ(starts[n].currentDir, nested ? projectB : projectA) << n;
        }
        EXPECT_EQ(os::LookAtName(ProjectFile("$wat1.tub")).kind, os::NameInfo::Kind::kNothing);
        EXPECT_EQ(os::LookAtName(projectB + "/$wat1.tub").kind != os::NameInfo::Kind::kNothing,
                  c.keepsWorkFileOfB);
        os::DeleteFile(projectB + "/$wat1.tub");
        BoxTexts();
    }
}

TEST_F(EntryTest, LongProjectPathIsRecordedWhole) {
    std::string deep = sandbox.ProjectDir();
    while (deep.size() < 180) {
        deep = (std::filesystem::path(deep) / "a-rather-long-folder-name").string();
    }
    std::filesystem::create_directories(deep);
    {
        CurrentDirectoryScope inDeep(deep);
        RunCommand(const_cast<char*>("no such module|no such item"));
        EXPECT_EQ(TheLauncher().workDir, os::CurrentDirectory());
        EXPECT_GE(TheLauncher().workDir.size(), 180u);  // beyond the old 127-byte buffer
    }
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(EntryTest, NoticeTextIsExact) {
    EXPECT_EQ(
        devNotice,
        "\xD0\xC2\xB9\xE6\xB7\xB6\xB0\xE6\xB1\xBEVEGA\xD5\xFD\xD4\xDA\xD1\xD0\xB7\xA2\xD6\xD0,"
        "\xBE\xB4\xC7\xEB\xC6\xDA\xB4\xFD!\n  \xB8\xF8\xC4\xFA\xB9\xA4\xD7\xF7\xB4\xF8\xC0\xB4"
        "\xC1\xCB\xB2\xBB\xB1\xE3,\xC7\xEB\xC4\xFA\xC1\xC2\xBD\xE2\xA1\xA3");
}

}  // namespace
