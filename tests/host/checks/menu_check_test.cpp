// The check of "menu.txt" against the menu the plug-in writes, its refresh, and the launch
// trace in words.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/checks/menu_check.h"
#include "host/checks/menu_refresh.h"
#include "host/checks/trace_view.h"
#include "host/platform/file_bytes.h"
#include "model/menu_catalog.h"
#include "model/menu_file.h"
#include "model/trace_line.h"
#include "os/os.h"
#include "support/fault_plan.h"
#include "support/temp_dir.h"

namespace {

using Keys = std::vector<std::string>;

/// A catalogue of one group with these rows.
struct SmallMenu {
    explicit SmallMenu(const Keys& rows) {
        for (const std::string& row : rows) catalog.Add("C", "M", row + "|RunExeFile|M|M.exe", 1);
        for (int k = 1; k <= kGroupCount; ++k) bounds.groupStart[k] = catalog.Count();
    }
    std::string Text() const { return MenuFileText(catalog, bounds); }

    MenuCatalog catalog;
    GroupBounds bounds;
};

class MenuCheckTest : public ::testing::Test {
protected:
    MenuCheckTest() : path(dir / "menu.txt") {}

    std::vector<host::Problem> Problems() const {
        return host::CheckMenuFile(path, now.catalog, now.bounds).problems;
    }

    /// Each problem begins with the words expected and names the keys expected.
    void ExpectProblems(const std::vector<std::pair<std::string, Keys>>& expected) const {
        const std::vector<host::Problem> found = Problems();
        ASSERT_EQ(found.size(), expected.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_TRUE(found[i].text.starts_with(expected[i].first)) << found[i].text;
            EXPECT_EQ(found[i].brokenKeys, expected[i].second) << found[i].text;
        }
    }

    TempDir dir;
    std::string path;
    const SmallMenu now{{"模块|甲", "模块|乙", "模块|丙"}};
};

TEST_F(MenuCheckTest, FindsWhatIsWrongWithTheFile) {
    const SmallMenu older({"模块|甲", "模块|乙", "模块|旧"});
    const std::string current = now.Text();
    struct Case {
        const char* name;
        std::optional<std::string> bytes;  // nothing: no file
        std::vector<std::pair<std::string, Keys>> problems;
    };
    const std::vector<Case> cases = {
        {"Current", current, {}},
        {"Missing", std::nullopt, {{"menu.txt does not exist at " + path + ":", {}}}},
        {"Empty", "", {{"menu.txt is empty:", {}}}},
        {"FromAnOlderVersion",
         older.Text(),
         {{"menu.txt lacks 1 items of this plug-in", {"模块|丙"}},
          {"menu.txt has 1 entries that no row of this plug-in answers", {"模块|旧"}}}},
        {"CutShort",
         current.substr(0, current.find("app=") + 12),
         {{"menu.txt is cut short (", {}},
          {"menu.txt lacks 3 items of this plug-in", {"模块|甲", "模块|乙", "模块|丙"}}}},
        {"WithLfLineEnds",
         [&] {
             std::string text = current;
             std::erase(text, '\r');
             return text;
         }(),
         {{"menu.txt differs from the menu this plug-in writes, with the same items", {}}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        os::DeleteFile(path);
        if (test.bytes) WriteWholeFile(path, *test.bytes);
        ExpectProblems(test.problems);
    }
}

std::size_t EntriesIn(const std::string& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

// A regular file is kept under a backup name never used before and replaced; a current one is
// left alone; anything else is left alone, and the check's advice says what the refresh does
// (it never sends the user to a refresh that refuses).
TEST_F(MenuCheckTest, RefreshReplacesARegularFileAndNeverABackup) {
    using Outcome = host::RefreshOutcome;
    const std::string stale = SmallMenu({"模块|旧"}).Text();
    const std::string handMade = "[建  筑]\r\n";
    const std::string oversize(host::kMenuFileLimit + 1, 'x');
    struct Case {
        const char* name;
        std::optional<std::string> bytes;  // nothing: a folder
        std::optional<std::string> earlierBackup;
        Outcome outcome;
        std::string backup;  // the name the old file is kept under; empty: none
        bool adviceIsRefresh;
    };
    const std::vector<Case> cases = {
        {"Stale", stale, std::nullopt, Outcome::kReplaced, "menu.txt.bak", true},
        {"Current", now.Text(), handMade, Outcome::kAlreadyCurrent, "", true},
        {"StaleBesideAnEarlierBackup", stale, handMade, Outcome::kReplaced, "menu.txt.bak2", true},
        {"Oversize", oversize, std::nullopt, Outcome::kReplaced, "menu.txt.bak", true},
        {"Folder", std::nullopt, std::nullopt, Outcome::kFailed, "", false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::filesystem::remove_all(dir.Path());
        std::filesystem::create_directory(dir.Path());
        if (test.bytes) WriteWholeFile(path, *test.bytes);
        if (!test.bytes) std::filesystem::create_directory(path);
        if (test.earlierBackup) WriteWholeFile(host::BackupName(path), *test.earlierBackup);
        const std::vector<host::Problem> before = Problems();
        if (!before.empty()) {
            EXPECT_EQ(before[0].text.find("Run `truvhost menu --refresh`") != std::string::npos,
                      test.adviceIsRefresh)
                << before[0].text;
        }
        const host::RefreshResult result = host::RefreshMenuFile(path, now.Text());
        EXPECT_EQ(result.outcome, test.outcome) << result.error;
        EXPECT_EQ(result.backup, test.backup.empty() ? "" : dir / test.backup);
        if (!test.backup.empty()) {
            EXPECT_EQ(ReadWholeFile(dir / test.backup), *test.bytes);
        }
        if (test.earlierBackup) {
            EXPECT_EQ(ReadWholeFile(host::BackupName(path)), *test.earlierBackup);
        }
        if (test.outcome == Outcome::kFailed) {
            EXPECT_NE(result.error.find("Remove or rename it"), std::string::npos) << result.error;
            EXPECT_TRUE(std::filesystem::is_directory(path));
            continue;
        }
        EXPECT_EQ(ReadWholeFile(path), now.Text());
        EXPECT_TRUE(Problems().empty());
        EXPECT_EQ(EntriesIn(dir.Path()),
                  1 + (test.backup.empty() ? 0u : 1u) + (test.earlierBackup ? 1u : 0u))
            << "no temporary file is left";
    }
}

TEST_F(MenuCheckTest, RefreshWritesAMissingFileWithoutBackup) {
    const host::RefreshResult result = host::RefreshMenuFile(path, now.Text());
    EXPECT_EQ(result.outcome, host::RefreshOutcome::kWritten) << result.error;
    EXPECT_EQ(ReadWholeFile(path), now.Text());
    EXPECT_FALSE(os::PatternExists(host::BackupName(path)));
}

// A flush that fails: the new file's before its move fails the refresh, the old file left as
// it is; the folder's after a move (the backup's or the new file's) does not undo that move:
// the refresh is done and says that the moves are not confirmed durable.
TEST_F(MenuCheckTest, RefreshWhoseFolderFlushFailedSaysItMovedTheFile) {
    if (!SyncsFolders()) GTEST_SKIP() << "a move here is made durable by the move itself";
    const struct {
        bool old;           // an old file to keep
        std::size_t flush;  // which flush fails
        bool done;
        std::size_t also;  // a second flush that fails (0: none): the old file's move back
    } cases[] = {{false, 1, false, 0}, {false, 2, true, 0}, {true, 1, true, 0},
                 {true, 2, false, 0},  {true, 3, true, 0},  {true, 2, false, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.flush) + (c.old ? ". flush over an old file" : ". flush"));
        os::DeleteFile(host::BackupName(path));
        os::DeleteFile(path);
        if (c.old) WriteWholeFile(path, "old");
        host::RefreshResult result;
        {
            FaultPlan plan;
            plan.FailNth(SystemCall::kFlush, c.flush, Fault::kError);
            if (c.also != 0) plan.AlsoFailNth(SystemCall::kFlush, c.also, Fault::kError);
            result = host::RefreshMenuFile(path, now.Text());
            EXPECT_TRUE(plan.Fired());
        }
        EXPECT_EQ(result.outcome == host::RefreshOutcome::kFailed, !c.done) << result.error;
        EXPECT_EQ(result.notice.find("not confirmed durable") != std::string::npos, c.done)
            << result.notice;
        EXPECT_EQ(ReadWholeFile(path), c.done ? now.Text() : c.old ? "old" : "");
        // Where the old file is, as said: back under its name, even when that move's flush
        // failed.
        if (!c.done && c.old) {
            EXPECT_NE(result.error.find("the old file was left as it is"), std::string::npos)
                << result.error;
        }
        EXPECT_EQ(c.done && c.old ? ReadWholeFile(result.backup) : "",
                  c.done && c.old ? "old" : "");
    }
}

TEST(TraceView, FiltersByKeyAndTime) {
    const auto line = [](const char* time, const char* key, const char* event,
                         std::vector<std::string> fields) {
        return ComposeTraceLine({time, key, event, std::move(fields)});
    };
    const std::string trace =
        line("2026-12-08 09:59:59.999", "", "init", {"menu.txt"}) +
        line("2026-12-08 10:00:00.000", "甲|乙", "box", {"F", "配置文件"}) +
        line("2026-12-08 10:00:01.000", "丙|丁", "end", {"A.EXE", "exit 3", "5 ms"}) +
        "2026-12-08 10:00:02.000\t丙|丁\n" +
        line("2026-12-09 08:00:00.000", "甲|乙", "row", {"none"});
    struct Case {
        std::vector<std::string> options;
        std::vector<std::string> shown;  // the times of the lines shown
    };
    const std::vector<Case> cases = {
        {{},
         {"2026-12-08 09:59:59.999", "2026-12-08 10:00:00.000", "2026-12-08 10:00:01.000",
          "2026-12-09 08:00:00.000"}},
        {{"--key", "甲|乙"}, {"2026-12-08 10:00:00.000", "2026-12-09 08:00:00.000"}},
        {{"--since", "10:00"}, {"2026-12-08 10:00:00.000", "2026-12-08 10:00:01.000"}},
        {{"--since", "10:00:01"}, {"2026-12-08 10:00:01.000"}},
        {{"--since", "2026-12-08 10:00", "--key", "甲|乙"},
         {"2026-12-08 10:00:00.000", "2026-12-09 08:00:00.000"}},
        {{"--since", "2026-12-09"}, {"2026-12-09 08:00:00.000"}},
    };
    for (const Case& test : cases) {
        host::TraceFilter filter;
        ASSERT_TRUE(host::ParseTraceFilter(test.options, filter));
        std::vector<std::string> shown;
        for (const std::string& text : host::TraceView(trace, filter)) {
            if (!text.starts_with("(")) shown.push_back(text.substr(0, 23));
        }
        EXPECT_EQ(shown, test.shown) << ::testing::PrintToString(test.options);
    }
    const std::vector<std::string> all = host::TraceView(trace, {});
    EXPECT_NE(all[2].find("exit 3 after 5 ms: A.EXE"), std::string::npos) << all[2];
    EXPECT_EQ(all.back().substr(0, 3), "(1 ") << "the line without an event is counted";
    host::TraceFilter filter;
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--since", "10"}, {"--since", "10:00 "}, {"--key"}, {"--what", "x"}}) {
        EXPECT_FALSE(host::ParseTraceFilter(bad, filter)) << ::testing::PrintToString(bad);
    }
}

}  // namespace
