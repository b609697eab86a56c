// The sandbox's layout, its environment, its journal access and the temporary directory.
#include "suite/sandbox.h"

#include <gtest/gtest.h>

#include "suite/system.h"

namespace {

namespace sys = suite::sys;

std::string FileBytes(const std::string& path) {
    std::string bytes;
    EXPECT_EQ(sys::ReadWholeFile(path, bytes), sys::ReadResult::Read) << path;
    return bytes;
}

TEST(SandboxLayout, InstallsModulesProgramsAndCfgPath) {
    suite::Sandbox sandbox("安装 目录");
    const char sep = sys::Separator();
    EXPECT_EQ(sys::BaseName(sandbox.Root()), "安装 目录");
    sandbox.Install({{"CORE", "core", {"Modelin.exe", "Stage2"}},
                     {"TUB", std::string("special") + sep + "tub", {"WALLRF.exe"}}});

    const std::string core = sandbox.Root() + sep + "core" + sep;
    const std::string tub = sandbox.Root() + sep + "special" + sep + "tub" + sep;
    EXPECT_EQ(sandbox.DirLine("core"), core);
    EXPECT_EQ(FileBytes(sandbox.CfgPathFile()), "CORE\n" + core + "\nTUB\n" + tub + "\n");
    EXPECT_TRUE(sys::Exists(core + "Modelin.exe"));
    EXPECT_TRUE(sys::Exists(core + suite::ProgramFileName("Stage2")));
    EXPECT_TRUE(sys::Exists(tub + "WALLRF.exe"));
    EXPECT_TRUE(sys::Exists(sandbox.ProjectDir()));
}

TEST(SandboxLayout, CfgPathIsWrittenAsGiven) {
    suite::Sandbox sandbox;
    sandbox.WriteCfgPathLines({"lyr", "D:\\LYR8\\", "TEND ", ""});
    EXPECT_EQ(FileBytes(sandbox.CfgPathFile()), "lyr\nD:\\LYR8\\\nTEND \n\n");
    sandbox.WriteCfgPathBytes("CORE\r\nX");
    EXPECT_EQ(FileBytes(sandbox.CfgPathFile()), "CORE\r\nX");
    sandbox.RemoveCfgPath();
    EXPECT_FALSE(sys::Exists(sandbox.CfgPathFile()));
    sandbox.RemoveCfgPath();  // already gone: fine
}

TEST(SandboxLayout, ProgramNamesGetExeOnWindowsOnly) {
    const std::string suffix = sys::ExecutableSuffix();
    EXPECT_EQ(suite::ProgramFileName("GrafEdit"), "GrafEdit" + suffix);
    EXPECT_EQ(suite::ProgramFileName("GrafEdit.exe"), "GrafEdit.exe");
    EXPECT_EQ(suite::ProgramFileName("guide.chm"), "guide.chm");
    EXPECT_EQ(suite::ProgramFileName("HH"), "HH" + suffix);
}

TEST(SandboxEnvironment, NamesItsFilesWhileItLivesOnly) {
    const auto journal = sys::GetEnv("TRUV_SUITE_JOURNAL");
    const auto scenario = sys::GetEnv("TRUV_SUITE_SCENARIO");
    {
        suite::Sandbox sandbox;
        EXPECT_EQ(sys::GetEnv("TRUV_SUITE_JOURNAL"), sandbox.JournalPath());
        EXPECT_EQ(sys::GetEnv("TRUV_SUITE_SCENARIO"), sandbox.ScenarioPath());
        EXPECT_EQ(sys::DirName(sandbox.JournalPath()), sandbox.Root());
    }
    EXPECT_EQ(sys::GetEnv("TRUV_SUITE_JOURNAL"), journal);
    EXPECT_EQ(sys::GetEnv("TRUV_SUITE_SCENARIO"), scenario);
}

TEST(SandboxJournal, ReadsClearsAndRefusesDamage) {
    suite::Sandbox sandbox;
    EXPECT_TRUE(sandbox.ReadJournal().empty());
    suite::JournalRecord record;
    record.program = "p";
    record.exitCode = 1;
    ASSERT_TRUE(sys::AppendToFile(sandbox.JournalPath(), suite::FormatRecord(record)));
    ASSERT_EQ(sandbox.ReadJournal(), std::vector<suite::JournalRecord>{record});
    sandbox.ClearJournal();
    EXPECT_TRUE(sandbox.ReadJournal().empty());
    ASSERT_TRUE(sys::AppendToFile(sandbox.JournalPath(), "program 9:p\n"));
    EXPECT_THROW(sandbox.ReadJournal(), std::runtime_error);
}

TEST(SandboxScenario, IsWrittenWhereTheStandinLooks) {
    suite::Sandbox sandbox;
    suite::Scenario scenario;
    scenario.On("Modelin.exe", "-B").Create("x.tmp", "2 3").Exit(1);
    sandbox.WriteScenario(scenario);
    suite::Scenario read;
    std::string error;
    ASSERT_TRUE(suite::ParseScenario(FileBytes(sandbox.ScenarioPath()), read, error)) << error;
    EXPECT_EQ(read, scenario);
}

TEST(TempDir, RemovesItselfWithEverythingInIt) {
    std::string path;
    {
        suite::TempDir temp("truv-test");
        path = temp.Path();
        ASSERT_TRUE(sys::Exists(path));
        ASSERT_TRUE(sys::MakeDirectories(sys::Join(temp.Join("a"), "b")));
        ASSERT_TRUE(sys::WriteWholeFile(sys::Join(temp.Join("a"), "f.txt"), "x"));
        EXPECT_EQ(sys::BaseName(path).rfind("truv-test", 0), 0u);
        suite::TempDir other("truv-test");
        EXPECT_NE(other.Path(), path);
    }
    EXPECT_FALSE(sys::Exists(path));
}

TEST(StandinBesideExecutable, IsInstalledOnceAndKept) {
    const std::string first = suite::InstallBesideExecutable("truv-standin-copy");
    EXPECT_EQ(sys::DirName(first), sys::DirName(sys::OwnExecutablePath()));
    EXPECT_EQ(sys::BaseName(first), suite::ProgramFileName("truv-standin-copy"));
    EXPECT_TRUE(sys::Exists(first));
    EXPECT_EQ(suite::InstallBesideExecutable("truv-standin-copy"), first);
    EXPECT_TRUE(sys::Exists(suite::StandinPath()));
}

}  // namespace
