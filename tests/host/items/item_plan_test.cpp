// What the host's plans and explanations say an item does, against what the plug-in is known
// to do: the item flows a row is offered to, the steps of the shared sequences with each
// row's parameters and the work-file tests around them, and the file a start opens.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/checks/explain.h"
#include "host/items/item_plan.h"
#include "model/menu_item.h"
#include "os/os.h"
#include "suite/system.h"
#include "support/temp_dir.h"
#include "text/gbk_text.h"
#include "whole_installation.h"

namespace {

using Lines = std::vector<std::string>;

// clang-format off
const Lines kChain = {"[钢结构]", "[砌体结构]", "[鉴定加固]", "[结  构]", "[特种结构]", "[建  筑]", "[设  备]"};

struct PlanCase {
    const char* key;
    std::size_t flowsOffered;  // the first ones of kChain
    Lines steps;               // two blanks of indent per work-file test
};

const PlanCase kPlanCases[] = {
    {"框架|三维模型与荷载输入", 1, {
        "RunExeFile IRON Modelin.exe",
        "if Autorunfile.tmp is present:",
        "  RunExeFileNor IRON Stage2.exe -PASS",
        "  if the second byte of autorunfile.tmp is '3':",
        "    RunExeFileNor IRON Stage3.exe -PASS -IRON",
        "  delete work files Autorunfile.tmp"}},
    {"框架|结构三维线框透视图", 1, {
        "RunExeFileMin IRON WIRE_3D.exe PCORE",
        "if return.tmp is present:",
        "  RunExeFileNor CORE OCCLUDE.exe",
        "  RunExeFileNor CORE EDGECULL.exe",
        "  RunExeFileNor CORE PLOT_2D.exe P",
        "otherwise:",
        "  if REDRAW.tmp is present:",
        "    RunExeFileNor CORE PLOT_2D.exe P",
        "    delete work files REDRAW.tmp"}},
    {"底框及连续梁结构二维分析|生成FLAT数据", 2, {
        "RunExeFile BRIK Stage4.exe  -BK",
        "if STG4NAME.tmp is present:",
        "  RunExeFile BRIK EXECMGR.exe 310 2"}},
    {"CORECAD|形成FLAT文件", 4, {
        "RunExeFile CORE Stage4.exe",
        "if STG4NAME.tmp is present:",
        "  RunExeFile CORE EXECMGR.exe 10 2"}},
    {"箱形基础设计 TUB|墙体配筋选择", 5, {
        "RunExeFileNor TUB TUB72.exe",
        "RunExeFileNor TUB WALLRF.exe -1 -TUB",
        "RunExeFileNor TUB TUB73.exe",
        "delete work files $wat*.tub",
        "RunExeFileNor TUB WALLRF.exe -2 -TUB",
        "RunExeFileNor TUB TUB82.exe -TMP"}},
    {"三维建筑设计 BLDG|图形编辑、打印及转换", 6, {
        "delete work files CFG?.TMP",
        "delete work files CFG?.BLK",
        "RunExeFile  GrafEdit.exe"}},
};
// clang-format on

std::string Described(const host::PlanLine& line) {
    const std::string indent(static_cast<std::size_t>(2 * line.depth), ' ');
    if (!line.isRun) return indent + line.text;
    return indent + line.run.mode->name + " " + line.run.dirKey + " " + line.run.program;
}

class ItemPlanTest : public WholeInstallationTest {
protected:
    const host::ItemPlan& PlanOf(const std::string& key) const {
        const auto found =
            std::find_if(plans.begin(), plans.end(),
                         [&](const host::ItemPlan& plan) { return plan.key == key; });
        if (found == plans.end()) throw std::runtime_error("no item " + key);
        return *found;
    }

    Lines Explained(const host::ItemPlan& plan) const {
        return host::ExplainPlan(plan, host::ReadInstallation(), sandbox.ProjectDir());
    }

    /// The explanation's first line that holds `text`; empty when none does.
    std::string LineWith(const Lines& lines, const std::string& text) const {
        const auto found = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        });
        return found == lines.end() ? std::string() : *found;
    }

    /// The first start of the catalogue that opens a help document.
    const host::ItemPlan& DocumentPlan() const {
        return *std::find_if(plans.begin(), plans.end(), [](const host::ItemPlan& plan) {
            return !plan.runs.empty() &&
                   gbk::Upper(plan.runs[0].program).find(".CHM") != std::string::npos;
        });
    }
};

TEST_F(ItemPlanTest, FlowRowsArePlannedThroughTheChainWithTheirRowsParameters) {
    for (const PlanCase& c : kPlanCases) {
        SCOPED_TRACE(c.key);
        const host::ItemPlan& plan = PlanOf(c.key);
        ASSERT_TRUE(plan.isFlow && plan.flowKnown);
        EXPECT_EQ(plan.offeredTo, Lines(kChain.begin(), kChain.begin() + c.flowsOffered));
        Lines steps;
        for (const host::PlanLine& line : plan.lines) steps.push_back(Described(line));
        EXPECT_EQ(steps, c.steps);
    }
}

TEST_F(ItemPlanTest, AFlowsStartsNameTheWorkFileTestsThatLeadToThem) {
    EXPECT_EQ(PlanOf("框架|三维模型与荷载输入").runs.back().condition,
              "Autorunfile.tmp present, autorunfile.tmp says 3");
    EXPECT_EQ(PlanOf("框架|结构三维线框透视图").runs.back().condition,
              "return.tmp absent, REDRAW.tmp present");
    EXPECT_EQ(PlanOf("框架|结构三维线框透视图").runs.front().condition, "");
}

TEST_F(ItemPlanTest, ARowNoFlowKnowsIsOfferedToTheWholeChainAndDoesNothing) {
    MenuCatalog catalog;
    catalog.Add("样例", "ZETA", "样例分析 ZETA|内力计算\t\t", 1);
    const host::ItemPlan plan = host::PlanItem(catalog.ItemAt(0));
    EXPECT_TRUE(plan.isFlow);
    EXPECT_FALSE(plan.flowKnown);
    EXPECT_EQ(plan.offeredTo, kChain);
    EXPECT_TRUE(plan.runs.empty() && plan.lines.empty());
    EXPECT_NE(LineWith(Explained(plan), "nothing happens"), "");
}

TEST_F(ItemPlanTest, ExplainNamesTheFileEachStartOpens) {
    const host::ItemPlan& plan = PlanOf("框架|三维模型与荷载输入");
    const std::string program = DirOf("IRON") + suite::ProgramFileName("Modelin.exe");
    // The run operation upper-cases the program text; Windows finds the file all the same.
    const std::string started = gbk::Upper(LineWith(Explained(plan), "[starts "));
    EXPECT_NE(started.find(gbk::Upper(suite::ProgramFileName("Modelin.exe")) + "]"),
              std::string::npos)
        << started;

    ASSERT_EQ(suite::sys::RemoveFile(program), suite::sys::DeleteResult::Deleted);
    EXPECT_NE(LineWith(Explained(plan), "[no program file "), "");
}

// A program named without a folder, such as the help viewer, is looked for beside the host,
// then in the folders of "PATH" in their order, and never in the project folder, which is the
// current directory of every start.
TEST_F(ItemPlanTest, ABareProgramIsFoundBesideTheHostThenOnPathNeverInTheProject) {
    const std::string first = sandbox.AddModule("FIRST");
    const std::string second = sandbox.AddModule("SECOND");
    for (const std::string& dir : {second, first}) {
        sandbox.InstallProgram(dir, "HH.exe");
        sandbox.InstallProgram(dir, "Probe.exe");
    }
    sandbox.InstallProgram(sandbox.ProjectDir(), "Lone.exe");
    const std::string separator(1, os::PathListSeparator());
    os::SetEnvironmentVariable("PATH", first + separator + second + separator +
                                           os::GetEnvironmentVariable("PATH").value_or(""));
    CurrentDirectoryScope inProject(sandbox.ProjectDir());

    const std::string host = os::HostExecutablePath();
    const std::string viewer = LineWith(Explained(DocumentPlan()), "[starts ");
    EXPECT_NE(viewer.find("[starts " + host.substr(0, host.find_last_of("\\/"))), std::string::npos)
        << viewer;
    EXPECT_NE(os::FindProgramFile("Probe.exe").value_or("").find(first), std::string::npos);
    EXPECT_FALSE(os::FindProgramFile("Lone.exe").has_value());
}

}  // namespace
