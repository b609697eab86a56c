// What is no regular file under the name "menu.txt": a FIFO is refused at once with its
// reason, never a wait for a writer; the refresh leaves a link, a FIFO alone, and keeps a
// replaced file with its own permissions.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "host/checks/menu_check.h"
#include "host/checks/menu_refresh.h"
#include "host/items/menu_file_reader.h"
#include "model/menu_catalog.h"
#include "model/menu_file.h"
#include "suite/sandbox.h"
#include "support/temp_dir.h"

namespace {

TEST(MenuFileReader, FifoIsRefusedWithoutWaiting) {
    suite::TempDir temp;
    const std::string path = temp.Join("menu.txt");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    host::MenuTree tree;
    std::string error;
    EXPECT_FALSE(host::ReadMenuFile(path, tree, error));
    EXPECT_NE(error.find("a pipe"), std::string::npos) << error;
}

mode_t Permissions(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// A link to a file only its owner may read must not be copied into a backup others can read:
// the refresh follows no link, and a replaced file is renamed, never copied.
TEST(MenuRefresh, LeavesLinksAndPipesAloneAndKeepsPermissions) {
    MenuCatalog catalog;
    catalog.Add("C", "M", "模块|甲|RunExeFile|M|M.exe", 1);
    GroupBounds bounds;
    for (int k = 1; k <= kGroupCount; ++k) bounds.groupStart[k] = catalog.Count();
    const std::string current = MenuFileText(catalog, bounds);
    struct Case {
        const char* name;
        std::function<void(const std::string& dir, const std::string& path)> lay;
        host::RefreshOutcome outcome;
    };
    const std::vector<Case> cases = {
        {"LinkToASecret",
         [](const std::string& dir, const std::string& path) {
             WriteWholeFile(dir + "/secret", "only the owner reads this");
             chmod((dir + "/secret").c_str(), 0600);
             std::filesystem::create_symlink(dir + "/secret", path);
         },
         host::RefreshOutcome::kFailed},
        {"Fifo", [](const std::string&, const std::string& path) { mkfifo(path.c_str(), 0600); },
         host::RefreshOutcome::kFailed},
        {"PrivateStaleFile",
         [](const std::string&, const std::string& path) {
             WriteWholeFile(path, "[建  筑]\r\n");
             chmod(path.c_str(), 0600);
         },
         host::RefreshOutcome::kReplaced},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TempDir dir;
        const std::string path = dir / "menu.txt";
        test.lay(dir.Path(), path);
        const mode_t before = Permissions(path);
        const std::vector<host::Problem> problems =
            host::CheckMenuFile(path, catalog, bounds).problems;
        ASSERT_FALSE(problems.empty());
        const bool refreshAdvised =
            problems[0].text.find("Run `truvhost menu --refresh`") != std::string::npos;
        const host::RefreshResult result = host::RefreshMenuFile(path, current);
        EXPECT_EQ(result.outcome, test.outcome) << result.error;
        EXPECT_EQ(refreshAdvised, test.outcome != host::RefreshOutcome::kFailed)
            << problems[0].text;
        if (test.outcome == host::RefreshOutcome::kFailed) {
            EXPECT_EQ(Permissions(path), before) << "left as it was";
            EXPECT_FALSE(
                std::filesystem::exists(std::filesystem::symlink_status(host::BackupName(path))));
        } else {
            EXPECT_EQ(Permissions(host::BackupName(path)), before);
            EXPECT_EQ(ReadWholeFile(path), current);
        }
    }
}

}  // namespace
