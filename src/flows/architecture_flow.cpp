// The item flow of the architecture group: the command-less rows of the 3D architectural
// design module.
#include "flows/flow_rows.h"
#include "flows/item_flows.h"
#include "flows/shared_sequences.h"

namespace flows {

namespace {

constexpr DirKey kArchitectureKey{"BLDG"};

constexpr char kArchModule[] = "三维建筑设计 BLDG";

constexpr TextArg kProgram = kFirstParameter;

// clang-format off

/// The scratch files of an earlier architecture run, removed before most runs.
constexpr Step kCfgCleanUp[] = {
    Delete("CFG?.TMP"),
    Delete("CFG?.BLK"),
};

/// The animation's list and frames of an earlier run.
constexpr Step kAnimationCleanUp[] = {
    Delete("ANIMATIO.LST"),
    Delete("TEMP*.TIF"),
    Delete("TEMP*.PCX"),
};

// One run of the row's program under the row's key, with the clean-ups it needs first.
constexpr Step kCleanUpThenRun[] = {
    Steps(kCfgCleanUp),
    Run(kRunExeFile, kKeyParameter, kProgram),
};
constexpr Step kCleanUpThenRunMin[] = {
    Steps(kCfgCleanUp),
    Run(kRunExeFileMin, kKeyParameter, kProgram),
};
constexpr Step kCleanUpAnimationThenRunMin[] = {
    Steps(kCfgCleanUp),
    Steps(kAnimationCleanUp),
    Run(kRunExeFileMin, kKeyParameter, kProgram),
};
constexpr Step kRunNor[] = {
    Run(kRunExeFileNor, kKeyParameter, kProgram),
};

/// The detail sequence: DetailSel.exe asks with "XT1.tmp" for the "X" mode run and with
/// "XT2.tmp" for the detail drawing; both requests are removed at the end.
constexpr Step kDetailModeRun[] = {
    Run(kRunExeFile, kArchitectureKey, "ArchMain.exe X"),
};
constexpr Step kDetailDrawing[] = {
    Run(kRunExeFileNor, kArchitectureKey, "DetailDraw.exe"),
};
constexpr Step kDetailSequence[] = {
    Steps(kCfgCleanUp),
    Delete("XT?.BLK"),
    Run(kRunExeFileMin, kArchitectureKey, "DetailSel.exe"),
    IfPresent("XT1.tmp", kDetailModeRun),
    IfPresent("XT2.tmp", kDetailDrawing),
    Delete("XT?.TMP"),
};

constexpr FlowRow kArchitectureRows[] = {
    {kArchModule, "建筑模型输入",           kCleanUpThenRun,             {kArchitectureKey,    "ArchMain.exe A"}},
    {kArchModule, "三维CAD",                kCleanUpThenRun,             {kArchitectureKey,    "Solid3D.exe"}},
    {kArchModule, "建筑平面图",             kCleanUpThenRun,             {kArchitectureKey,    "ArchMain.exe P"}},
    {kArchModule, "建筑立面图",             kCleanUpThenRunMin,          {kArchitectureKey,    "ArchMain.exe  V"}},
    {kArchModule, "建筑剖面图",             kCleanUpThenRunMin,          {kArchitectureKey,    "ArchMain.exe S"}},
    {kArchModule, "建筑大样图",             kDetailSequence},
    {kArchModule, "房间面积统计及门窗表",   kCleanUpThenRun,             {kArchitectureKey,    "ArchMain.exe J"}},
    {kArchModule, "三维线框透视图",         kCleanUpThenRunMin,          {kArchitectureKey,    "ArchMain.exe Y"}},
    {kArchModule, "三维模型渲染",           kCleanUpThenRunMin,          {kArchitectureKey,    "ArchMain.exe R"}},
    {kArchModule, "建筑模型动画",           kCleanUpAnimationThenRunMin, {kArchitectureKey,    "ArchMain.exe M"}},
    {kArchModule, "总平面图",               kRunNor,                     {kArchitectureKey,    "ArchMain.exe Z"}},
    {kArchModule, "日照分析",               kRunNor,                     {kArchitectureKey,    "ArchMain.exe U"}},
    {kArchModule, "与结构CAD(CORECAD)接口", kCleanUpThenRun,             {kStructuralModelKey, "Modelin.exe"}},
    {kArchModule, "图形编辑、打印及转换",   kCleanUpThenRun,             {kInstallRoot,        "GrafEdit.exe"}},
};

// clang-format on

}  // namespace

std::span<const FlowRow> ArchitectureFlowRows() {
    return kArchitectureRows;
}

int ArchitectureItemFlow(std::string rowText) {
    return RunFirstMatchingRow(kArchitectureRows, rowText, LoadContext());
}

}  // namespace flows
