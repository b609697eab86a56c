// Every item of the menu, picked by the key that "menu.txt" gives it, starts what its row or
// its flow says and shows no message when all its programs end well.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/builders.h"
#include "host/items/menu_file_reader.h"
#include "launch/launcher.h"
#include "os/os.h"
#include "plugin/entry.h"
#include "plugin/globals.h"
#include "support/box_capture.h"
#include "support/temp_dir.h"
#include "text/gbk_text.h"
#include "whole_installation.h"

namespace {

/// The file name that argv[0] of a start carries: the help viewer for a document.
std::string ExpectedProgram(const host::PlannedRun& run) {
    const std::string text = run.mode->upperCaseProgram ? gbk::Upper(run.program) : run.program;
    const std::size_t document = text.find(".CHM");
    if (run.mode->upperCaseProgram && !run.dirKey.empty() && document != std::string::npos &&
        document > 0) {
        return "HH.EXE";
    }
    return gbk::Upper(InstallationTest::FileNameOf(text.substr(0, text.find(' '))));
}

class AllItemsTest : public WholeInstallationTest {
protected:
    void SetUp() override {
        WholeInstallationTest::SetUp();
        suite::InstallBesideExecutable("HH.exe");
        TheLauncher().pathPending = 0;
        menuPath = MenuFilePath(os::HostExecutablePath());
        os::DeleteFile(menuPath);
    }
    void TearDown() override { os::DeleteFile(menuPath); }

    std::string menuPath;
};

TEST_F(AllItemsTest, EveryMenuKeyStartsWhatItsRowOrFlowSays) {
    ASSERT_STREQ(InitTruvApp(), "CFG");
    host::MenuTree tree;
    std::string error;
    ASSERT_TRUE(host::ReadMenuFile(menuPath, tree, error)) << error;
    const std::vector<std::string> keys = tree.Keys();
    ASSERT_EQ(keys.size(), 321u);

    CurrentDirectoryScope inProject(sandbox.ProjectDir());
    for (const std::string& key : keys) {
        SCOPED_TRACE(key);
        const auto plan = std::find_if(plans.begin(), plans.end(),
                                       [&](const host::ItemPlan& p) { return p.key == key; });
        ASSERT_NE(plan, plans.end());
        std::vector<std::string> expected;
        for (const host::PlannedRun& run : plan->runs) {
            // Without work files only the unconditional starts of a flow happen.
            if (run.condition.empty()) expected.push_back(ExpectedProgram(run));
        }
        sandbox.ClearJournal();
        RunCommand(const_cast<char*>(key.c_str()));
        std::vector<std::string> started;
        for (const suite::JournalRecord& record : sandbox.ReadJournal()) {
            started.push_back(gbk::Upper(InstallationTest::FileNameOf(record.args.at(0))));
        }
        EXPECT_EQ(started, expected);
        // A flow row that starts nothing shows its one notice; everything else stays silent.
        const std::vector<std::string> shown = BoxTexts();
        EXPECT_EQ(shown.size(), plan->isFlow && plan->runs.empty() ? 1u : 0u)
            << (shown.empty() ? std::string() : shown.front());
    }
}

}  // namespace
