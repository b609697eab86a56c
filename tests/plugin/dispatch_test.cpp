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
    std::string zeta;
};

TEST_F(DispatchTest, EmptyKeyIsReported) {
    MenuCatalog catalog;
    EXPECT_EQ(Dispatch(catalog, ""), -1);
    EXPECT_EQ(BoxTexts(), Args{"命令为空，无法运行!"});
}

TEST_F(DispatchTest, ManagerKeyWorksWithoutCatalogue) {
    MenuCatalog catalog;
    EXPECT_EQ(Dispatch(catalog, "DMGT|DMGT"), 1);
    EXPECT_EQ(Started(), (std::vector<Args>{{sandbox.DirLine("dmgt") + "SUITEMGR.EXE"}}));
}

TEST_F(DispatchTest, KeysMatchExactlyAndFirstMatchWins) {
    MenuCatalog catalog;
    catalog.Add("C", "ZETA", "样例分析 ZETA|内力计算\t\t|RunExeFile|ZETA|ZetaCalc.exe -B", 1);
    catalog.Add("C", "ZETA", "样例分析 ZETA|内力计算|RunExeFile|ZETA|ZetaView.exe", 1);
    catalog.Add("C", "ZETA", "样例分析 ZETA|显示 |RunExeFile|ZETA|ZetaView.exe", 1);
    EXPECT_EQ(Dispatch(catalog, "样例分析 ZETA|内力计算"), 1);
    EXPECT_EQ(Started(), (std::vector<Args>{{zeta + "ZETACALC.EXE", "-B"}}));
    EXPECT_EQ(Dispatch(catalog, "样例分析 zeta|内力计算"), -1);
    EXPECT_EQ(Dispatch(catalog, " 样例分析 ZETA|内力计算"), -1);
    EXPECT_EQ(Dispatch(catalog, "样例分析 ZETA|显示"), -1);
    EXPECT_EQ(Dispatch(catalog, "样例分析 ZETA|显示 "), 1);
    EXPECT_EQ(Started().size(), 1u);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(DispatchTest, TwoTriplesRunInOrder) {
    MenuCatalog catalog;
    catalog.Add("C", "ZETA",
                "样例分析 ZETA|结果显示_图形\t|RunExeFileMin|ZETA|ZetaView.exe|RunExeFileMax|CFG|"
                "GrafEdit.exe 2",
                1);
    EXPECT_EQ(Dispatch(catalog, "样例分析 ZETA|结果显示_图形"), 1);
    EXPECT_EQ(Started(), (std::vector<Args>{{zeta + "ZETAVIEW.EXE"},
                                            {sandbox.Root() + "\\GrafEdit.exe", "2"}}));
}

TEST_F(DispatchTest, LeftoverTokensAreIgnored) {
    MenuCatalog catalog;
    catalog.Add("C", "Z", "M|three|RunExeFile", 1);
    catalog.Add("C", "Z", "M|four|RunExeFile|ZETA", 1);
    catalog.Add("C", "Z", "M|six|RunExeFile|ZETA|ZetaCalc.exe|RunExeFile", 1);
    EXPECT_EQ(Dispatch(catalog, "M|three"), 1);
    EXPECT_EQ(Dispatch(catalog, "M|four"), 1);
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ(Dispatch(catalog, "M|six"), 1);
    EXPECT_EQ(Started().size(), 1u);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(DispatchTest, VerbsAndKeysAreTrimmedAndUpperCased) {
    MenuCatalog catalog;
    catalog.Add("C", "Z",
                "M|lower| runexefilenor |zeta | ZetaCalc.exe x |RunExeFile| cfg|GrafEdit.exe", 1);
    EXPECT_EQ(Dispatch(catalog, "M|lower"), 1);
    EXPECT_EQ(Started(), (std::vector<Args>{{zeta + "ZetaCalc.exe", "x"},
                                            {sandbox.Root() + "\\GrafEdit.exe"}}));
}

TEST_F(DispatchTest, UnknownVerbIsReportedAndTheNextTripleRuns) {
    MenuCatalog catalog;
    catalog.Add("C", "Z", "M|bad|RunIt|ZETA| ZetaCalc.exe -Q |RunExeFile|ZETA|ZetaView.exe", 1);
    EXPECT_EQ(Dispatch(catalog, "M|bad"), 1);
    EXPECT_EQ(BoxTexts(), Args{"无法解释的命令:ZetaCalc.exe -Q"});
    EXPECT_EQ(Started(), (std::vector<Args>{{zeta + "ZETAVIEW.EXE"}}));
}

TEST_F(DispatchTest, RowUnknownToEveryFlowRunsAndShowsNothing) {
    MenuCatalog catalog;
    catalog.Add("C", "Z", "无名模块|无名项目  \t", 1);
    EXPECT_EQ(Dispatch(catalog, "无名模块|无名项目  "), 0);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_TRUE(Started().empty());
}

}  // namespace
