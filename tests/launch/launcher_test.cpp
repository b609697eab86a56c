// The run operations with real stand-in programs, a real "CFGPATH" and the real registry.
#include "launch/launcher.h"
#include "plugin/globals.h"

#include <gtest/gtest.h>

#include "launch/install_paths.h"
#include "os/os.h"
#include "support/installation_fixture.h"
#include "support/temp_dir.h"
#include "text/gbk_text.h"

namespace {

using Args = std::vector<std::string>;

constexpr const char* kBadWorkDir = "初始化工作目录不存在或非法，确定后请单击改变目录重新输入！";
constexpr const char* kNoCfgPath = "配置文件“CFGPATH”不存在，请检查!";
constexpr const char* kNoApplication = "找不到指定的应用程序!";
constexpr const char* kAbnormalEnd = "运行该项时,程序异常中断!";

class LauncherTest : public InstallationTest {
protected:
    LauncherTest() {
        sandbox.Install({{"CORE", "core", {"Modelin.exe", "Stage2.exe"}},
                         {"DMGT", "dmgt", {"SuiteMgr.exe", "INSPECT1.EXE", "ACAD.EXE"}}});
        sandbox.InstallProgram(sandbox.Root(), "GrafEdit.exe");
        core = sandbox.DirLine("core");
        WriteWholeFile(core + "guide.chm", "a help document, not a program");
        dmgt = sandbox.DirLine("dmgt");
    }
    Launcher& launcher = TheLauncher();
    std::string core;
    std::string dmgt;
};

TEST_F(LauncherTest, RunExeFileUpperCasesTheProgramText) {
    launcher.RunExeFile("CORE", "Modelin.exe -A  b");
    EXPECT_EQ(Started(), (std::vector<Args>{{core + "MODELIN.EXE", "-A", "B"}}));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(LauncherTest, OtherOperationsKeepTheCase) {
    launcher.RunExeFileNor("DMGT", "SuiteMgr.exe x");
    launcher.RunExeFileMax("DMGT", "SuiteMgr.exe y");
    launcher.RunExeFileMin("DMGT", "SuiteMgr.exe z");
    EXPECT_EQ(Started(), (std::vector<Args>{{dmgt + "SuiteMgr.exe", "x"},
                                            {dmgt + "SuiteMgr.exe", "y"},
                                            {dmgt + "SUITEMGR.EXE", "Z"}}));
}

TEST_F(LauncherTest, ProgramRunsInTheProjectDirectory) {
    launcher.RunExeFile("CORE", "Modelin.exe");
    const auto journal = sandbox.ReadJournal();
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(gbk::Upper(journal[0].currentDir), gbk::Upper(sandbox.ProjectDir()));
}

TEST_F(LauncherTest, RootKeyStartsFromTheRootWithoutCfgPath) {
    sandbox.RemoveCfgPath();
    launcher.RunExeFile(launcher.rootKey, "GrafEdit.exe");
    EXPECT_EQ(Started(), (std::vector<Args>{{sandbox.Root() + "\\GrafEdit.exe"}}));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(LauncherTest, NonZeroExitCodeIsReportedExceptForAcad) {
    suite::Scenario scenario;
    scenario.On("Modelin.exe").Exit(3);
    scenario.On("ACAD.EXE").Exit(4);
    sandbox.WriteScenario(scenario);
    launcher.RunExeFile("CORE", "Modelin.exe");
    EXPECT_EQ(*launcher.exitCode, 3u);
    launcher.RunExeFileMin("CORE", "Modelin.exe");
    launcher.RunExeFile("DMGT", "ACAD.EXE");
    launcher.RunExeFileNor("DMGT", "ACAD.EXE");
    EXPECT_EQ(BoxTexts(), (Args{kAbnormalEnd, kAbnormalEnd, kAbnormalEnd}));
    EXPECT_EQ(Started().size(), 4u);
}

TEST_F(LauncherTest, MissingCfgPathIsReportedWhateverTheWorkDir) {
    sandbox.RemoveCfgPath();
    launcher.workDir = "";
    launcher.RunExeFile("CORE", "Modelin.exe");
    launcher.RunExeFileNor("CORE", "Modelin.exe");
    EXPECT_EQ(BoxTexts(), (Args{kNoCfgPath, kNoCfgPath}));
    EXPECT_EQ(launcher.cfgFound, 0);
    EXPECT_TRUE(Started().empty());
}

TEST_F(LauncherTest, LockedCfgPathCountsAsMissing) {
    os::File holder;
    ASSERT_EQ(holder.OpenExclusiveRead(sandbox.CfgPathFile()), os::kSuccess);
    launcher.RunExeFile("CORE", "Modelin.exe");
    EXPECT_EQ(BoxTexts(), Args{kNoCfgPath});
    EXPECT_FALSE(CfgPathHasKey("CORE"));
    holder.Close();
    EXPECT_TRUE(CfgPathHasKey("core"));
}

TEST_F(LauncherTest, InvalidWorkDirComesBeforeTheKeySearch) {
    launcher.workDir = sandbox.ProjectDir() + "-gone";
    launcher.RunExeFile("NOSUCHKEY", "Modelin.exe");
    launcher.workDir = "";
    launcher.RunExeFileMax("CORE", "Modelin.exe");
    EXPECT_EQ(BoxTexts(), (Args{kBadWorkDir, kBadWorkDir}));
    EXPECT_TRUE(Started().empty());
}

TEST_F(LauncherTest, MissingKeyNamesTheFileUnderRunExeFileOnly) {
    launcher.RunExeFile("LYR8", "Calc.exe");
    launcher.RunExeFileMin("LYR8", "Calc.exe");
    EXPECT_EQ(BoxTexts(),
              (Args{"在" + sandbox.Root() + "\\CFGPATH中 找不到指定的 LYR8", kNoApplication}));
    EXPECT_EQ(launcher.cfgFound, 1);
}

TEST_F(LauncherTest, MissingProgramShowsTheSystemErrorThenTheCommand) {
    launcher.RunExeFile("CORE", "Absent.exe");
    launcher.RunExeFileNor("CORE", "Absent.exe");
    const auto shown = boxes.Take();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].caption, "错误");
    EXPECT_FALSE(shown[0].text.empty());
    EXPECT_EQ(shown[1].text, "找不到 " + core + "ABSENT.EXE");
    EXPECT_EQ(shown[2].caption, "错误");
}

// A program named without a path (a key whose directory line is empty) is never taken from the
// project folder, where the start runs; one in a "PATH" folder is, with the command unchanged.
TEST_F(LauncherTest, BareProgramNameIsNeverTakenFromTheProjectFolder) {
    sandbox.WriteCfgPathLines({"BARE", ""});
    sandbox.InstallProgram(sandbox.ProjectDir(), "Planted.exe");
    launcher.pathPending = 0;
    launcher.RunExeFileNor("BARE", "Planted.exe -x");
    EXPECT_TRUE(Started().empty());
    const auto shown = boxes.Take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "错误");

    const std::string onPath = sandbox.AddModule("onpath");
    const std::string program = sandbox.InstallProgram(onPath, "Planted.exe");
    os::SetEnvironmentVariable("PATH", onPath.substr(0, onPath.size() - 1));
    launcher.RunExeFileNor("BARE", "Planted.exe -x");
    const auto journal = sandbox.ReadJournal();
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(gbk::Upper(journal[0].program), gbk::Upper(program));
    EXPECT_EQ(journal[0].commandLine, "Planted.exe -x");
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(LauncherTest, DuplicateKeysFirstMatchAndLastMatch) {
    const std::string other = sandbox.AddModule("core2");
    sandbox.InstallProgram(other, "Modelin.exe");
    sandbox.WriteCfgPath({{"core", core}, {"x", "y"}, {"CORE", other}});
    launcher.RunExeFile("CORE", "Modelin.exe");
    launcher.RunExeFileNor("CORE", "Modelin.exe");
    EXPECT_EQ(Started(), (std::vector<Args>{{core + "MODELIN.EXE"}, {other + "Modelin.exe"}}));
}

TEST_F(LauncherTest, KeyLineWithTrailingBlankNeverMatches) {
    sandbox.WriteCfgPathLines({"CORE ", core});
    launcher.RunExeFileMin("CORE", "Modelin.exe");
    EXPECT_EQ(BoxTexts(), Args{kNoApplication});
}

TEST_F(LauncherTest, HelpDocumentsOpenInTheViewer) {
    suite::InstallBesideExecutable("HH.exe");
    launcher.RunExeFile("CORE", "guide.chm");
    launcher.RunExeFileMin("CORE", "guide.chm");
    EXPECT_EQ(Started(),
              (std::vector<Args>{{"HH.exe", core + "GUIDE.CHM"}, {"HH.exe", core + "GUIDE.CHM"}}));
    launcher.RunExeFileMax("CORE", "guide.chm");  // not a program: the system refuses it
    EXPECT_EQ(boxes.Take().size(), 1u);
    EXPECT_TRUE(Started().empty());
}

TEST_F(LauncherTest, DataCheckProgramsGoThroughTheShellUnjudged) {
    suite::Scenario scenario;
    scenario.On("INSPECT1.EXE").Exit(9);
    sandbox.WriteScenario(scenario);
    launcher.RunExeFile("DMGT", "INSPECT1.EXE -ALL");
    EXPECT_EQ(Started(), (std::vector<Args>{{dmgt + "INSPECT1.EXE", "-ALL"}}));
    EXPECT_TRUE(BoxTexts().empty());
    // Under the root key the text keeps its case, so the shell is not used and the code counts.
    sandbox.InstallProgram(sandbox.Root(), "inspect1.exe");
    launcher.RunExeFile(launcher.rootKey, "inspect1.exe");
    EXPECT_EQ(BoxTexts(), Args{kAbnormalEnd});
}

TEST_F(LauncherTest, PathIsExtendedOnceAtTheFirstStart) {
    launcher.pathPending = 1;
    launcher.RunExeFileNor("NOSUCHKEY", "x.exe");  // ends with a message: PATH untouched
    EXPECT_EQ(launcher.pathPending, 1);
    launcher.RunExeFile("CORE", "Modelin.exe");
    EXPECT_EQ(launcher.pathPending, 0);
    const std::string coreDir = core.substr(0, core.size() - 1);
    sandbox.Install({{"CORE", "elsewhere", {"Modelin.exe"}}});
    launcher.RunExeFile("CORE", "Modelin.exe");
    const auto journal = sandbox.ReadJournal();
    ASSERT_EQ(journal.size(), 2u);
    const Args expected{sandbox.Root(), coreDir};
    EXPECT_EQ(journal[0].pathHead, expected);
    EXPECT_EQ(journal[1].pathHead, expected);
    BoxTexts();
}

TEST_F(LauncherTest, PathWithoutCoreHasAnEmptyElement) {
    sandbox.WriteCfgPath({{"DMGT", dmgt}});
    launcher.pathPending = 1;
    launcher.RunExeFile("DMGT", "SuiteMgr.exe");
    const auto journal = sandbox.ReadJournal();
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].pathHead, (Args{sandbox.Root(), ""}));
}

TEST_F(LauncherTest, LongPathIsSetAndReported) {
    const std::string prefix = sandbox.Root() + os::PathListSeparator() +
                               core.substr(0, core.size() - 1) + os::PathListSeparator();
    os::SetEnvironmentVariable("PATH", std::string(1023 - prefix.size(), 'p'));
    launcher.pathPending = 1;
    launcher.PrepareEnvironment(launcher.pathPending);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(os::GetEnvironmentVariable("PATH")->size(), 1023u);

    os::SetEnvironmentVariable("PATH", std::string(1024 - prefix.size(), 'p'));
    launcher.pathPending = 1;
    launcher.PrepareEnvironment(launcher.pathPending);
    EXPECT_EQ(BoxTexts(), Args{"设置CORE目录环境失败 !"});
    EXPECT_EQ(os::GetEnvironmentVariable("PATH")->size(), 1024u);
}

}  // namespace
