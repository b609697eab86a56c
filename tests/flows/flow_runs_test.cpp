// Every command-less row through every branch its work files open, with the substitute suite
// installed: the programs started (in order, with their keys and command lines), the work
// files deleted and kept, and the boxes shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "flow_installation.h"
#include "flows/item_flows.h"
#include "os/command_line.h"
#include "project_dir.h"
#include "support/box_capture.h"
#include "support/started_program.h"

namespace {

using Names = std::vector<std::string>;

ExpectedRun Exe(std::string key, std::string program) {
    return {RunOp::kRunExeFile, std::move(key), std::move(program)};
}
ExpectedRun Min(std::string key, std::string program) {
    return {RunOp::kRunExeFileMin, std::move(key), std::move(program)};
}
ExpectedRun Nor(std::string key, std::string program) {
    return {RunOp::kRunExeFileNor, std::move(key), std::move(program)};
}
ExpectedRun FromRoot(std::string program) {
    return {RunOp::kRunExeFile, "", std::move(program)};
}

WorkFile ReadOnly(std::string name, std::string bytes = "x") {
    return {std::move(name), std::move(bytes), true};
}

constexpr char kDevNotice[] = "新规范版本VEGA正在研发中,敬请期待!\n  给您工作带来了不便,请您谅解。";
constexpr char kRedirect[] = "请您运行VEGA、LYRA或ORION模块";
constexpr char kAbnormalEnd[] = "运行该项时,程序异常中断!";

struct FlowCase {
    std::string name;
    std::string rowText;                  // as the catalogue stores it
    std::vector<WorkFile> before;         // the project directory before
    std::vector<ProgramAct> acts;         // what the programs do
    std::vector<ExpectedRun> runs;        // the starts, in order
    Names after;                          // the project directory after
    Names probes = {};                    // "deleted NAME" / "absent NAME" seen by the programs
    std::vector<std::string> boxes = {};  // texts shown, in order
};

// ---------------------------------------------------------------------------------------
// Shared sequences, as the rows of several flows use them

std::vector<FlowCase> ContinuationCases(const std::string& prefix, const std::string& rowText,
                                        const std::string& key, const std::string& third) {
    const ExpectedRun model = Exe(key, "Modelin.exe");
    const ExpectedRun second = Nor(key, "Stage2.exe -PASS");
    const ExpectedRun thirdRun = Nor(key, third);
    return {
        {prefix + "NoRequest", rowText, {}, {}, {model}, {}},
        {prefix + "Request23RunsThirdStep",
         rowText,
         {},
         {{.program = "Modelin.exe", .creates = {"Autorunfile.tmp"}, .bytes = "23"}},
         {model, second, thirdRun},
         {}},
        {prefix + "Request2StopsAfterSecondStep",
         rowText,
         {},
         {{.program = "Modelin.exe", .creates = {"Autorunfile.tmp"}, .bytes = "2"}},
         {model, second},
         {}},
        {prefix + "Request32StopsAfterSecondStep",
         rowText,
         {},
         {{.program = "Modelin.exe", .creates = {"Autorunfile.tmp"}, .bytes = "32"}},
         {model, second},
         {}},
        {prefix + "SecondByteReadAfterSecondStep",
         rowText,
         {},
         {{.program = "Modelin.exe", .creates = {"Autorunfile.tmp"}, .bytes = "22"},
          {.program = "Stage2.exe", .creates = {"Autorunfile.tmp"}, .bytes = "23"}},
         {model, second, thirdRun},
         {}},
        {prefix + "StaleRequestInOtherCase",
         rowText,
         {{"AUTORUNFILE.TMP", "13"}, {"Autorunfile.bak"}},
         {},
         {model, second, thirdRun},
         {"Autorunfile.bak"}},
        {prefix + "ReadOnlyRequestStays",
         rowText,
         {ReadOnly("Autorunfile.tmp", "23")},
         {},
         {model, second, thirdRun},
         {"Autorunfile.tmp"}},
    };
}

std::vector<FlowCase> WireframeCases(const std::string& prefix, const std::string& rowText,
                                     const std::string& key) {
    const ExpectedRun wire = Min(key, "WIRE_3D.exe PCORE");
    const std::vector<ExpectedRun> hidden = {wire, Nor("CORE", "OCCLUDE.exe"),
                                             Nor("CORE", "EDGECULL.exe"),
                                             Nor("CORE", "PLOT_2D.exe P")};
    return {
        {prefix + "NoRequest", rowText, {}, {}, {wire}, {}},
        {prefix + "ReturnRunsHiddenLinesAndStays",
         rowText,
         {},
         {{.program = "WIRE_3D.exe", .creates = {"return.tmp"}}},
         hidden,
         {"return.tmp"}},
        {prefix + "RedrawRunsPlotAndGoes",
         rowText,
         {{"redraw.TMP"}},
         {},
         {wire, Nor("CORE", "PLOT_2D.exe P")},
         {}},
        {prefix + "ReturnWinsOverRedraw",
         rowText,
         {{"REDRAW.tmp"}},
         {{.program = "WIRE_3D.exe", .creates = {"return.tmp"}}},
         hidden,
         {"REDRAW.tmp", "return.tmp"}},
    };
}

std::vector<FlowCase> FormingCases(const std::string& prefix, const std::string& rowText,
                                   const std::string& key, const std::string& forming,
                                   const std::string& followUp) {
    const std::string formingProgram = forming.substr(0, forming.find(' '));
    return {
        {prefix + "NoRequest", rowText, {}, {}, {Exe(key, forming)}, {}},
        {prefix + "RequestRunsFollowUpAndStays",
         rowText,
         {},
         {{.program = formingProgram, .creates = {"STG4NAME.tmp"}}},
         {Exe(key, forming), Exe(key, followUp)},
         {"STG4NAME.tmp"}},
        {prefix + "StaleRequestRunsFollowUp",
         rowText,
         {{"stg4name.TMP"}},
         {},
         {Exe(key, forming), Exe(key, followUp)},
         {"stg4name.TMP"}},
    };
}

FlowCase MessageCase(const std::string& name, const std::string& rowText, const char* text) {
    return {name, rowText, {{"CFG1.TMP"}, {"Autorunfile.tmp", "23"}},
            {},   {},      {"Autorunfile.tmp", "CFG1.TMP"},
            {},   {text}};
}

// ---------------------------------------------------------------------------------------
// The flows

void Append(std::vector<FlowCase>& cases, std::vector<FlowCase> more) {
    for (FlowCase& c : more) cases.push_back(std::move(c));
}

std::vector<FlowCase> SteelCases() {
    std::vector<FlowCase> cases;
    Append(cases, ContinuationCases("SteelModel", "框架|三维模型与荷载输入", "IRON",
                                    "Stage3.exe -PASS -IRON"));
    cases.push_back(MessageCase("SteelAnalysisRedirect", "框架|VEGA、LYRA或ORION计算", kRedirect));
    Append(cases, WireframeCases("SteelWireframe", "框架|结构三维线框透视图", "IRON"));
    Append(cases, FormingCases("SteelFlat", "框架|形成FLAT文件", "IRON", "Stage4.exe -IRON",
                               "FlatIn.exe -KJ"));
    return cases;
}

std::vector<FlowCase> MasonryCases() {
    std::vector<FlowCase> cases = {
        MessageCase("MasonryVegaData", "底框-抗震墙结构三维分析|生成VEGA数据", kDevNotice),
        MessageCase("MasonryVegaForces", "底框-抗震墙结构三维分析|VEGA内力及配筋计算", kDevNotice),
        MessageCase("MasonryVegaResults", "底框-抗震墙结构三维分析|VEGA计算结果显示", kDevNotice),
    };
    Append(cases, FormingCases("MasonryFlat", "底框及连续梁结构二维分析|生成FLAT数据\t\t", "BRIK",
                               "Stage4.exe  -BK", "EXECMGR.exe 310 2"));
    return cases;
}

std::vector<FlowCase> StructureCases() {
    std::vector<FlowCase> cases;
    Append(cases, ContinuationCases("StructureModel", "CORECAD|建筑模型与荷载输入", "CORE",
                                    "Stage3.exe -PASS"));
    Append(cases, FormingCases("StructureFlat", "CORECAD|形成FLAT文件", "CORE", "Stage4.exe",
                               "EXECMGR.exe 10 2"));
    Append(cases, WireframeCases("StructureWireframe", "CORECAD|结构三维线框透视图", "CORE"));
    const char* const vegaItems[] = {"接CORE生成VEGA数据",     "结构内力，配筋计算",
                                     "CORE次梁内力与配筋计算", "分析结果图形和文本显示",
                                     "框支剪力墙有限元分析",   "新版程序说明与常见问题"};
    int number = 0;
    for (const char* item : vegaItems) {
        ++number;
        cases.push_back(MessageCase("StructureVega" + std::to_string(number),
                                    std::string("VEGA|") + item + " ", kDevNotice));
        if (std::string(item) == "框支剪力墙有限元分析") continue;  // not in VEGA-8
        cases.push_back(MessageCase("StructureVega8_" + std::to_string(number),
                                    std::string("VEGA-8|") + item + " ", kDevNotice));
    }
    return cases;
}

std::vector<FlowCase> SpecialStructureCases() {
    std::vector<FlowCase> cases =
        FormingCases("PrestressedData", "预应力砼结构三维设计 TEND|形成二维框架连续梁数据文件",
                     "TEND", "Stage4.exe -TND", "TendChk.exe");
    const std::string wallRow = "箱形基础设计 TUB|墙体配筋选择";
    const std::vector<ExpectedRun> wallRuns = {
        Nor("TUB", "TUB72.exe"), Nor("TUB", "WALLRF.exe -1 -TUB"), Nor("TUB", "TUB73.exe"),
        Nor("TUB", "WALLRF.exe -2 -TUB"), Nor("TUB", "TUB82.exe -TMP")};
    // The wall files are there for the first pass and gone before the second; files made
    // after the deletion stay.
    cases.push_back({"WallReinforcement",
                     wallRow,
                     {{"$wat1.tub"}, {"$watA.tub"}, {"$WAT2.TUB"}, {"wat3.tub"}},
                     {{.program = "WALLRF.exe", .args = "-1 -TUB", .deletes = "$watA.tub"},
                      {.program = "TUB73.exe", .creates = {"$watB.tub"}},
                      {.program = "WALLRF.exe",
                       .args = "-2 -TUB",
                       .creates = {"$watC.tub"},
                       .deletes = "$wat1.tub"}},
                     wallRuns,
                     {"$watC.tub", "wat3.tub"},
                     {"deleted $watA.tub", "absent $wat1.tub"}});
    cases.push_back({"WallReinforcementGoesOnAfterAFailure",
                     wallRow,
                     {{"$wat1.tub"}, ReadOnly("$wat2.tub")},
                     {{.program = "TUB72.exe", .exitCode = 3}},
                     wallRuns,
                     {"$wat2.tub"},
                     {},
                     {kAbnormalEnd}});
    return cases;
}

std::vector<FlowCase> ArchitectureCases() {
    const std::string module = "三维建筑设计 BLDG|";
    // The stale files of an earlier run; the ones the CFG clean-up removes are the first three.
    const std::vector<WorkFile> stale = {{"CFG1.TMP"},  {"cfg2.blk"},  {"Cfg3.Tmp"},
                                         {"CFG12.TMP"}, {"CFGA.BLKX"}, ReadOnly("CFG4.BLK"),
                                         {"XT1.BLK"}};
    const Names afterCleanUp = {"CFG12.TMP", "CFG4.BLK", "CFGA.BLKX", "XT1.BLK"};
    const Names untouched = {"CFG1.TMP", "CFG12.TMP", "CFG4.BLK", "CFGA.BLKX",
                             "Cfg3.Tmp", "XT1.BLK",   "cfg2.blk"};
    struct SimpleRow {
        const char* name;
        const char* item;
        ExpectedRun run;
        bool cleansUp;
    };
    // clang-format off
    const SimpleRow simpleRows[] = {
        {"ArchModelInput", "建筑模型输入",           Exe("BLDG", "ArchMain.exe A"),  true},
        {"Arch3dCad",      "三维CAD",                Exe("BLDG", "Solid3D.exe"),     true},
        {"ArchPlans",      "建筑平面图",             Exe("BLDG", "ArchMain.exe P"),  true},
        {"ArchElevations", "建筑立面图",             Min("BLDG", "ArchMain.exe  V"), true},
        {"ArchSections",   "建筑剖面图",             Min("BLDG", "ArchMain.exe S"),  true},
        {"ArchSchedules",  "房间面积统计及门窗表",   Exe("BLDG", "ArchMain.exe J"),  true},
        {"ArchWireframe",  "三维线框透视图",         Min("BLDG", "ArchMain.exe Y"),  true},
        {"ArchRendering",  "三维模型渲染",           Min("BLDG", "ArchMain.exe R"),  true},
        {"ArchSitePlan",   "总平面图",               Nor("BLDG", "ArchMain.exe Z"),  false},
        {"ArchSunlight",   "日照分析",               Nor("BLDG", "ArchMain.exe U"),  false},
        {"ArchToCoreCad",  "与结构CAD(CORECAD)接口", Exe("CORE", "Modelin.exe"),     true},
        {"ArchGraphics",   "图形编辑、打印及转换",   FromRoot("GrafEdit.exe"),       true},
    };
    // clang-format on
    std::vector<FlowCase> cases;
    for (const SimpleRow& row : simpleRows) {
        // The program leaves a scratch file of its own: a clean-up after the run would take it.
        const std::string program = row.run.program.substr(0, row.run.program.find(' '));
        Names after = row.cleansUp ? afterCleanUp : untouched;
        after.push_back("CFG9.TMP");
        std::sort(after.begin(), after.end());
        cases.push_back({row.name,
                         module + row.item,
                         stale,
                         {{.program = program, .creates = {"CFG9.TMP"}}},
                         {row.run},
                         after});
    }

    const std::string detail = module + "建筑大样图";
    const std::vector<WorkFile> staleDetail = {
        {"CFG1.TMP"}, {"XT1.BLK"}, {"xt3.blk"}, {"XT12.BLK"}};
    const ExpectedRun select = Min("BLDG", "DetailSel.exe");
    const ExpectedRun modeX = Exe("BLDG", "ArchMain.exe X");
    const ExpectedRun draw = Nor("BLDG", "DetailDraw.exe");
    // DetailSel.exe finds the stale blocks gone, and its own block file stays.
    auto selecting = [](std::vector<std::string> requests) {
        requests.push_back("XT5.BLK");
        return ProgramAct{.program = "DetailSel.exe", .creates = requests, .deletes = "XT1.BLK"};
    };
    const Names detailAfter = {"XT12.BLK", "XT5.BLK"};
    const Names sawNoStaleBlock = {"absent XT1.BLK"};
    // clang-format off
    cases.push_back({"ArchDetailBothRequests", detail, staleDetail,
                     {selecting({"XT1.tmp", "XT2.tmp"})},
                     {select, modeX, draw}, detailAfter, sawNoStaleBlock});
    cases.push_back({"ArchDetailNoRequest", detail, staleDetail,
                     {selecting({})},
                     {select}, detailAfter, sawNoStaleBlock});
    cases.push_back({"ArchDetailDrawingOnly", detail, staleDetail,
                     {selecting({"XT2.tmp"})},
                     {select, draw}, detailAfter, sawNoStaleBlock});
    cases.push_back({"ArchDetailModeXOnly", detail, staleDetail,
                     {selecting({"XT1.tmp"})},
                     {select, modeX}, detailAfter, sawNoStaleBlock});
    cases.push_back({"ArchDetailModeXAsksForDrawing", detail, staleDetail,
                     {selecting({"XT1.tmp"}), {.program = "ArchMain.exe", .args = "X", .creates = {"XT2.tmp"}}},
                     {select, modeX, draw}, detailAfter, sawNoStaleBlock});
    cases.push_back({"ArchDetailStaleRequestRunsModeXOnceMore", detail,
                     {{"xt1.TMP"}, {"XT9.TMP"}, ReadOnly("XT8.tmp"), {"XT10.TMP"}},
                     {},
                     {select, modeX}, {"XT10.TMP", "XT8.tmp"}});
    cases.push_back({"ArchDetailGoesOnAfterAFailure", detail, {},
                     {{.program = "DetailSel.exe", .creates = {"XT1.tmp"}, .exitCode = 2}},
                     {select, modeX}, {}, {}, {kAbnormalEnd}});

    cases.push_back({"ArchAnimation", module + "建筑模型动画",
                     {{"ANIMATIO.LST"}, {"TEMP0001.TIF"}, {"temp0002.tif"}, {"TEMP.TIF"}, {"TEMP0003.PCX"},
                      {"TEMP0001.TIFF"}, {"TEMP0004.PCXA"}, {"CFG1.TMP"}, {"animatio.lst.bak"}},
                     {{.program = "ArchMain.exe", .args = "M", .creates = {"TEMP0009.TIF"}, .deletes = "ANIMATIO.LST"}},
                     {Min("BLDG", "ArchMain.exe M")},
                     {"TEMP0001.TIFF", "TEMP0004.PCXA", "TEMP0009.TIF", "animatio.lst.bak"},
                     {"absent ANIMATIO.LST"}});
    // clang-format on
    return cases;
}

std::vector<FlowCase> AllCases() {
    std::vector<FlowCase> cases;
    Append(cases, SteelCases());
    Append(cases, MasonryCases());
    Append(cases, StructureCases());
    Append(cases, SpecialStructureCases());
    Append(cases, ArchitectureCases());
    return cases;
}

// ---------------------------------------------------------------------------------------

std::string Normalised(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    std::transform(path.begin(), path.end(), path.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

class FlowRuns : public ::testing::TestWithParam<FlowCase> {
protected:
    static void SetUpTestSuite() { installation = std::make_unique<FlowInstallation>(); }
    static void TearDownTestSuite() { installation.reset(); }

    static std::unique_ptr<FlowInstallation> installation;
};

std::unique_ptr<FlowInstallation> FlowRuns::installation;

void ExpectStart(const FlowInstallation& setup, const suite::JournalRecord& record,
                 const ExpectedRun& run) {
    const std::string commandLine = setup.CommandLine(run);
    SCOPED_TRACE(commandLine);
    if (ProgramsSeeRawCommandLine()) {
        EXPECT_EQ(record.commandLine, commandLine);
    }
    const std::vector<std::string> expectedArgs = os::SplitCommandLine(commandLine);
    ASSERT_FALSE(expectedArgs.empty());
    EXPECT_EQ(Normalised(record.program), Normalised(expectedArgs[0]));
    EXPECT_EQ(
        std::vector<std::string>(record.args.begin() + std::min<std::size_t>(1, record.args.size()),
                                 record.args.end()),
        std::vector<std::string>(expectedArgs.begin() + 1, expectedArgs.end()));
    EXPECT_EQ(Normalised(record.currentDir), Normalised(setup.Sandbox().ProjectDir()));
}

TEST_P(FlowRuns, StartsItsProgramsAndLeavesItsWorkFiles) {
    const FlowCase& c = GetParam();
    installation->Prepare(c.before, c.acts);
    BoxCapture boxes;

    EXPECT_EQ(RunItemFlows(c.rowText), 1);

    std::vector<std::string> shown;
    for (const CapturedBox& box : boxes.Take()) shown.push_back(box.text);
    EXPECT_EQ(shown, c.boxes);

    const std::vector<suite::JournalRecord> records = installation->Sandbox().ReadJournal();
    ASSERT_EQ(records.size(), c.runs.size());
    Names probes;
    for (std::size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE("start " + std::to_string(i + 1));
        ExpectStart(*installation, records[i], c.runs[i]);
        for (const std::string& action : records[i].actions) {
            if (action.starts_with("deleted ") || action.starts_with("absent "))
                probes.push_back(action);
        }
    }
    EXPECT_EQ(probes, c.probes);

    Names after = c.after;
    std::sort(after.begin(), after.end());
    EXPECT_EQ(installation->ProjectEntries(), after);
}

void PrintTo(const FlowCase& flowCase, std::ostream* out) {
    *out << flowCase.name;
}

std::string CaseName(const ::testing::TestParamInfo<FlowCase>& param) {
    return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(AllRows, FlowRuns, ::testing::ValuesIn(AllCases()), CaseName);

}  // namespace
