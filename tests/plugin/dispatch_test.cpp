// Resolving a key to a row and carrying out its triples.
#include <gtest/gtest.h>

#include "launch/launcher.h"
#include "model/menu_catalog.h"
#include "plugin/dispatch.h"
#include "support/installation_fixture.h"

namespace {

using Args = std::vector<std::string>;

class DispatchTest : public InstallationTest {
protected:
    DispatchTest() {
        sandbox.Install({{"ZETA", "zeta", {"ZetaCalc.exe", "ZetaView.exe", "ZetaPlot.exe"}},
                         {"DMGT", "dmgt", {"SuiteMgr.exe"}}});
        sandbox.InstallProgram(sandbox.Root(), "GrafEdit.exe");
        zeta = sandbox.DirLine("zeta");
    }
    // Caption, module key and number play no part in dispatch.
    void AddRow(std::string row) { catalog.Add("C", "ZETA", std::move(row), 1); }

    MenuCatalog catalog;
    std::string zeta;
};

TEST_F(DispatchTest, EmptyKeyIsReported) {
    EXPECT_EQ(catalog.Dispatch(""), -1);
    EXPECT_EQ(BoxTexts(), Args{"命令为空，无法运行!"});
}

TEST_F(DispatchTest, ManagerKeyWorksWithoutCatalogue) {
    EXPECT_EQ(catalog.Dispatch("DMGT|DMGT"), 1);
    EXPECT_EQ(Started(), (std::vector<Args>{{sandbox.DirLine("dmgt") + "SUITEMGR.EXE"}}));
}

TEST_F(DispatchTest, KeysMatchExactlyAndFirstMatchWins) {
    AddRow("样例分析 ZETA|内力计算\t\t|RunExeFile|ZETA|ZetaCalc.exe -B");
    AddRow("样例分析 ZETA|内力计算|RunExeFile|ZETA|ZetaView.exe");
    AddRow("样例分析 ZETA|显示 |RunExeFile|ZETA|ZetaView.exe");
    EXPECT_EQ(catalog.Dispatch("样例分析 ZETA|内力计算"), 1);
    EXPECT_EQ(Started(), (std::vector<Args>{{zeta + "ZETACALC.EXE", "-B"}}));
    EXPECT_EQ(catalog.Dispatch("样例分析 zeta|内力计算"), -1);
    EXPECT_EQ(catalog.Dispatch(" 样例分析 ZETA|内力计算"), -1);
    EXPECT_EQ(catalog.Dispatch("样例分析 ZETA|显示"), -1);
    EXPECT_EQ(catalog.Dispatch("样例分析 ZETA|显示 "), 1);
    EXPECT_EQ(Started().size(), 1u);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(DispatchTest, TwoTriplesRunInOrder) {
    AddRow(
        "样例分析 ZETA|结果显示_图形\t|RunExeFileMin|ZETA|ZetaView.exe|RunExeFileMax|CFG|"
        "GrafEdit.exe 2");
    EXPECT_EQ(catalog.Dispatch("样例分析 ZETA|结果显示_图形"), 1);
    EXPECT_EQ(Started(), (std::vector<Args>{{zeta + "ZETAVIEW.EXE"},
                                            {sandbox.Root() + "\\GrafEdit.exe", "2"}}));
}

TEST_F(DispatchTest, LeftoverTokensAreIgnored) {
    AddRow("M|three|RunExeFile");
    AddRow("M|four|RunExeFile|ZETA");
    AddRow("M|six|RunExeFile|ZETA|ZetaCalc.exe|RunExeFile");
    EXPECT_EQ(catalog.Dispatch("M|three"), 1);
    EXPECT_EQ(catalog.Dispatch("M|four"), 1);
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ(catalog.Dispatch("M|six"), 1);
    EXPECT_EQ(Started().size(), 1u);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(DispatchTest, VerbsAndKeysAreTrimmedAndUpperCased) {
    AddRow("M|lower| runexefilenor |zeta | ZetaCalc.exe x |RunExeFile| cfg|GrafEdit.exe");
    EXPECT_EQ(catalog.Dispatch("M|lower"), 1);
    EXPECT_EQ(Started(), (std::vector<Args>{{zeta + "ZetaCalc.exe", "x"},
                                            {sandbox.Root() + "\\GrafEdit.exe"}}));
}

TEST_F(DispatchTest, UnknownVerbIsReportedAndTheNextTripleRuns) {
    AddRow("M|bad|RunIt|ZETA| ZetaCalc.exe -Q |RunExeFile|ZETA|ZetaView.exe");
    EXPECT_EQ(catalog.Dispatch("M|bad"), 1);
    EXPECT_EQ(BoxTexts(), Args{"无法解释的命令:ZetaCalc.exe -Q"});
    EXPECT_EQ(Started(), (std::vector<Args>{{zeta + "ZETAVIEW.EXE"}}));
}

TEST_F(DispatchTest, RowUnknownToEveryFlowRunsAndShowsNothing) {
    AddRow("无名模块|无名项目  \t");
    EXPECT_EQ(catalog.Dispatch("无名模块|无名项目  "), 0);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_TRUE(Started().empty());
}

}  // namespace
