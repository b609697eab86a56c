// The stand-in started directly: what its journal records and what its scenario makes it do.
#include <gtest/gtest.h>

#include "run_direct.h"
#include "suite/sandbox.h"
#include "suite/system.h"

namespace {

namespace sys = suite::sys;
using Strings = std::vector<std::string>;

constexpr std::uint32_t kSetupFault = 125;

class StandinTest : public ::testing::Test {
protected:
    StandinTest() {
        sandbox.WriteCfgPath({{"CORE", sandbox.AddModule("core")}});
        modelin = sandbox.InstallProgram(sandbox.DirLine("core"), "Modelin.exe");
    }

    /// Starts Modelin.exe in the project directory and returns its one journal record.
    suite::JournalRecord RunOnce(const Strings& args, std::uint32_t expectedCode = 0) {
        EXPECT_EQ(RunDirect(modelin, args, sandbox.ProjectDir()), expectedCode);
        std::vector<suite::JournalRecord> records = sandbox.ReadJournal();
        sandbox.ClearJournal();
        EXPECT_EQ(records.size(), 1u);
        return records.empty() ? suite::JournalRecord() : records[0];
    }

    std::string ProjectFile(const std::string& name) const {
        return sys::Join(sandbox.ProjectDir(), name);
    }

    std::string Content(const std::string& name) const {
        std::string bytes;
        EXPECT_EQ(sys::ReadWholeFile(ProjectFile(name), bytes), sys::ReadResult::Read) << name;
        return bytes;
    }

    suite::Sandbox sandbox;
    std::string modelin;
};

TEST_F(StandinTest, JournalRecordsHowItWasStarted) {
    const Strings args = {"-B", "two words", "trail  ", "模型", "a\"q", "back\\\\"};
    suite::JournalRecord record = RunOnce(args);
    EXPECT_EQ(record.program, modelin);
    Strings argv = {modelin};
    argv.insert(argv.end(), args.begin(), args.end());
    EXPECT_EQ(record.args, argv);
    EXPECT_EQ(record.commandLine, DirectCommandLine(modelin, args));
    EXPECT_EQ(record.currentDir, sandbox.ProjectDir());
    EXPECT_EQ(record.exitCode, 0u);
    EXPECT_TRUE(record.actions.empty());
}

TEST_F(StandinTest, JournalRecordsTheHeadOfPath) {
    const char separator = sys::PathListSeparator();
    const std::string tail = sys::GetEnv("PATH").value_or("");
    {
        suite::ScopedEnv path("PATH", sandbox.Root() + separator + "core dir" + separator + tail);
        EXPECT_EQ(RunOnce({}).pathHead, (Strings{sandbox.Root(), "core dir"}));
    }
    {
        suite::ScopedEnv path("PATH", sandbox.Root() + separator + separator + tail);
        EXPECT_EQ(RunOnce({}).pathHead, (Strings{sandbox.Root(), ""}));
    }
}

TEST_F(StandinTest, AppendsOneRecordPerStart) {
    ASSERT_EQ(RunDirect(modelin, {"1"}, sandbox.ProjectDir()), 0u);
    ASSERT_EQ(RunDirect(modelin, {"2"}, sandbox.Root()), 0u);
    std::vector<suite::JournalRecord> records = sandbox.ReadJournal();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].args.at(1), "1");
    EXPECT_EQ(records[1].args.at(1), "2");
    EXPECT_EQ(records[1].currentDir, sandbox.Root());
}

TEST_F(StandinTest, CreatesDeletesAndExitsAsTheScenarioSays) {
    ASSERT_TRUE(sys::WriteWholeFile(ProjectFile("REDRAW.tmp"), "old"));
    ASSERT_TRUE(sys::WriteWholeFile(ProjectFile("return.tmp"), "old"));
    suite::Scenario scenario;
    scenario.On("Modelin.exe")
        .Create("Autorunfile.tmp", "23")
        .Create("binary.tmp", std::string("\0\r\n\xff", 4))
        .Create("return.tmp")
        .Delete("REDRAW.tmp")
        .Delete("never.tmp")
        .Exit(7);
    sandbox.WriteScenario(scenario);

    suite::JournalRecord record = RunOnce({}, 7);
    EXPECT_EQ(record.exitCode, 7u);
    EXPECT_EQ(record.actions,
              (Strings{"rule 1", "created Autorunfile.tmp", "created binary.tmp",
                       "created return.tmp", "deleted REDRAW.tmp", "absent never.tmp"}));
    EXPECT_EQ(Content("Autorunfile.tmp"), "23");
    EXPECT_EQ(Content("binary.tmp"), std::string("\0\r\n\xff", 4));
    EXPECT_EQ(Content("return.tmp"), "");
    EXPECT_FALSE(sys::Exists(ProjectFile("REDRAW.tmp")));
}

TEST_F(StandinTest, RulesAreChosenByNameAndArguments) {
    const std::string stage2 = sandbox.InstallProgram(sandbox.DirLine("core"), "STAGE2.EXE");
    suite::Scenario scenario;
    scenario.On("stage2", "-pass").Create("pass.tmp").Exit(2);
    scenario.On("Stage2.exe").Create("other.tmp").Exit(3);
    sandbox.WriteScenario(scenario);

    EXPECT_EQ(RunDirect(stage2, {"-PASS"}, sandbox.ProjectDir()), 2u);
    EXPECT_EQ(RunDirect(stage2, {"-PASS", "x"}, sandbox.ProjectDir()), 3u);
    EXPECT_EQ(RunDirect(modelin, {"-PASS"}, sandbox.ProjectDir()), 0u);  // no rule: nothing done
    std::vector<suite::JournalRecord> records = sandbox.ReadJournal();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].actions, (Strings{"rule 1", "created pass.tmp"}));
    EXPECT_EQ(records[1].actions, (Strings{"rule 2", "created other.tmp"}));
    EXPECT_TRUE(records[2].actions.empty());
}

TEST_F(StandinTest, FaultsEndWithTheSetupFaultCode) {
    sandbox.WriteScenario(suite::Scenario{});
    ASSERT_TRUE(sys::WriteWholeFile(sandbox.ScenarioPath(), "program Modelin.exe\nexit x\n"));
    suite::JournalRecord broken = RunOnce({}, kSetupFault);
    ASSERT_EQ(broken.actions.size(), 1u);
    EXPECT_EQ(broken.actions[0].rfind("fault scenario: scenario line 2", 0), 0u)
        << broken.actions[0];

    suite::Scenario scenario;
    scenario.On("Modelin.exe").Create(sys::Join("no such dir", "x.tmp")).Exit(0);
    sandbox.WriteScenario(scenario);
    suite::JournalRecord failed = RunOnce({}, kSetupFault);
    ASSERT_EQ(failed.actions.size(), 2u);
    EXPECT_EQ(failed.actions[1].rfind("fault create ", 0), 0u) << failed.actions[1];
    EXPECT_EQ(failed.exitCode, kSetupFault);
}

TEST_F(StandinTest, WithoutVariablesItUsesTheFilesOfTheNearestRoot) {
    suite::ScopedEnv journal("TRUV_SUITE_JOURNAL", std::nullopt);
    suite::ScopedEnv scenarioFile("TRUV_SUITE_SCENARIO", std::nullopt);
    const std::string deep =
        sandbox.InstallProgram(sys::Join(sys::Join(sandbox.Root(), "a"), "b"), "Deep.exe");
    suite::Scenario scenario;
    scenario.On("Deep").Exit(5);
    sandbox.WriteScenario(scenario);

    EXPECT_EQ(RunDirect(deep, {}, sandbox.ProjectDir()), 5u);
    std::vector<suite::JournalRecord> records = sandbox.ReadJournal();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].program, deep);

    // Outside any installation it has nowhere to look: no journal, nothing done, code 0.
    const std::string stray = sandbox.InstallProgram(sandbox.Temp().Join("stray"), "Deep.exe");
    EXPECT_EQ(RunDirect(stray, {}, sandbox.ProjectDir()), 0u);
    EXPECT_EQ(sandbox.ReadJournal().size(), 1u);
}


}  // namespace
