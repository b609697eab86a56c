// Picks made from several threads at once, natively (where the tests' box capture sees the
// boxes of every thread; under Windows it hooks the test's own thread only).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "model/menu_file.h"
#include "os/os.h"
#include "plugin/entry.h"
#include "support/installation_fixture.h"
#include "support/temp_dir.h"

namespace {

using Args = std::vector<std::string>;

class ConcurrentPicksTest : public InstallationTest {};

// Picks from several threads at once are made one after the other: each pick's starts follow
// each other, in the folder it recorded, and the starts, boxes and work files left are those
// of the same picks made in turn.
TEST_F(ConcurrentPicksTest, TakeTurns) {
    const std::vector<std::string> keys = {"CORECAD|建筑模型与荷载输入", "CORECAD|平面荷载显示校核",
                                           "CORECAD|使用手册", "CORECAD|画结构平面图",
                                           "no such module|no such item"};
    sandbox.Install({{"CORE",
                      "CORE",
                      {"Modelin.exe", "Stage2.exe", "Stage3.exe", "LoadChk.exe", "EXECMGR.exe"}}});
    suite::Scenario scenario;
    scenario.On("Modelin.exe").Create("Autorunfile.tmp", "23");
    scenario.On("LoadChk.exe").Exit(3);
    sandbox.WriteScenario(scenario);
    CurrentDirectoryScope inProject(sandbox.ProjectDir());
    const std::string menuPath = MenuFilePath(os::HostExecutablePath());
    os::DeleteFile(menuPath);
    InitTruvApp();
    const std::string menu = ReadWholeFile(menuPath);
    auto pick = [](const std::string& key) { RunCommand(const_cast<char*>(key.c_str())); };
    auto startsOf = [this] {
        std::vector<Args> starts;
        for (const suite::JournalRecord& record : sandbox.ReadJournal()) {
            EXPECT_EQ(record.currentDir, sandbox.ProjectDir()) << record.commandLine;
            starts.push_back({FileNameOf(record.args[0])});
            starts.back().insert(starts.back().end(), record.args.begin() + 1, record.args.end());
        }
        sandbox.ClearJournal();
        return starts;
    };
    std::vector<std::vector<Args>> startsOfPick;  // each key's starts, in order
    std::vector<std::string> serialBoxes;
    for (const std::string& key : keys) {
        pick(key);
        startsOfPick.push_back(startsOf());
        for (const std::string& text : BoxTexts()) serialBoxes.push_back(text);
    }
    const std::vector<std::string> serialFiles = os::FindMatches(ProjectFile("*"));

    constexpr int kThreads = 4;
    os::DeleteFile(menuPath);
    std::vector<std::thread> threads;
    threads.emplace_back([] { InitTruvApp(); });
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (std::size_t k = 0; k < keys.size(); ++k) pick(keys[(k + t) % keys.size()]);
        });
    }
    for (std::thread& thread : threads) thread.join();

    // Split the journal into whole picks: every key's starts as often as it was picked.
    const std::vector<Args> starts = startsOf();
    std::vector<int> picked(keys.size());
    auto startsAt = [&](std::size_t at, const std::vector<Args>& run) {
        return !run.empty() && run.size() <= starts.size() - at &&
               std::equal(run.begin(), run.end(), starts.begin() + static_cast<long>(at));
    };
    for (std::size_t at = 0; at < starts.size();) {
        std::size_t k = 0;
        while (k < keys.size() && !startsAt(at, startsOfPick[k])) ++k;
        ASSERT_LT(k, keys.size()) << "a pick's starts are broken at start " << at;
        ++picked[k];
        at += startsOfPick[k].size();
    }
    for (std::size_t k = 0; k < keys.size(); ++k) {
        EXPECT_EQ(picked[k], startsOfPick[k].empty() ? 0 : kThreads) << keys[k];
    }
    std::vector<std::string> shown = BoxTexts();
    std::vector<std::string> expectedBoxes;
    for (int t = 0; t < kThreads; ++t) {
        expectedBoxes.insert(expectedBoxes.end(), serialBoxes.begin(), serialBoxes.end());
    }
    std::sort(shown.begin(), shown.end());
    std::sort(expectedBoxes.begin(), expectedBoxes.end());
    EXPECT_EQ(shown, expectedBoxes);
    EXPECT_EQ(os::FindMatches(ProjectFile("*")), serialFiles);
    EXPECT_EQ(ReadWholeFile(menuPath), menu);
    os::DeleteFile(menuPath);
}

}  // namespace
