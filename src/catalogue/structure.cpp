// The structure group: model input, the three analysis modules in two editions each,
// drawings, slabs and stairs, foundations, members, bent frames, isolation and quantities.
#include "catalogue/builders.h"
#include "catalogue/group_tables.h"
#include "catalogue/module_block.h"
#include "model/menu_catalog.h"

namespace {

// Three rows of the model module are served by the structure item flow.
// clang-format off
constexpr std::string_view kModelRows[] = {
    "CORECAD|建筑模型与荷载输入",
    "CORECAD|平面荷载显示校核\t\t|RunExeFile|CORE|LoadChk.exe",
    "CORECAD|形成FLAT文件",
    "CORECAD|结构三维线框透视图",
    "CORECAD|画结构平面图\t\t\t|RunExeFile|CORE|EXECMGR.exe 10 3",
    "CORECAD|使用手册\t\t\t\t\t\t\t\t|RunExeFile|DOCS|CoreCad.chm",
    "CORECAD|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

constexpr std::string_view kLyraRows[] = {
    "LYRA|接CORE生成LYRA数据\t\t|RunExeFile|LYR|LyraData.exe",
    "LYRA|结构内力，配筋计算\t\t|RunExeFile|LYR|LyraCalc.exe",
    "LYRA|CORE次梁内力与配筋计算\t|RunExeFile|LYR|LyraCalc.exe -SB",
    "LYRA|分析结果图形和文本显示\t|RunExeFile|LYR|LyraView.exe",
    "LYRA|框支剪力墙有限元分析\t|RunExeFile|LYR|WallFem.exe  -LYR",
    "LYRA|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

constexpr std::string_view kOrionRows[] = {
    "ORION|接CORE生成ORION数据\t\t|RunExeFile|ORION|OrionData.exe",
    "ORION|结构内力与配筋计算\t\t|RunExeFile|ORION|OrionCalc.exe",
    "ORION|动力时程分析\t\t\t|RunExeFile|ORION|OrionCalc.exe -TH",
    "ORION|分析结果图形和文本显示\t|RunExeFile|ORION|OrionView.exe",
    "ORION|吊车荷载输入\t\t\t|RunExeFile|ORION|CraneLd.exe",
    "ORION|施工模拟与多模型比对\t|RunExeFileMin|ORION|OrionData.exe -CMP|RunExeFileMax|ORION|OrionCalc.exe -CMP",
    "ORION|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

// The analysis module in development: every row shows the notice of the structure flow.
constexpr std::string_view kVegaRows[] = {
    "VEGA|接CORE生成VEGA数据\x20",
    "VEGA|结构内力，配筋计算\x20",
    "VEGA|CORE次梁内力与配筋计算\x20",
    "VEGA|分析结果图形和文本显示\x20",
    "VEGA|框支剪力墙有限元分析\x20",
    "VEGA|新版程序说明与常见问题\x20",
};

constexpr std::string_view kDrawingRows[] = {
    "梁柱墙施工图|梁平法施工图\t\t|RunExeFile|RCDW|BeamDraw.exe",
    "梁柱墙施工图|柱平法施工图\t\t|RunExeFile|RCDW|ColDraw.exe",
    "梁柱墙施工图|剪力墙施工图\t\t|RunExeFile|RCDW|WallDraw.exe",
    "梁柱墙施工图|构件立面详图_连续梁\t|RunExeFile|RCDW|MemDet.exe -LB",
    "梁柱墙施工图|构件立面详图_框架柱\t|RunExeFile|RCDW|MemDet.exe -KZ",
    "梁柱墙施工图|构件立面详图_框架梁\t|RunExeFile|RCDW|MemDet.exe -KL",
    "梁柱墙施工图|构件立面详图_节点\t|RunExeFile|RCDW|MemDet.exe  -JD",
    "梁柱墙施工图|梁柱钢筋用量统计\t|RunExeFile|RCDW|RebarQty.exe BEAM",
    "梁柱墙施工图|施工图校审\t\t|RunExeFile|RCDW|DrawChk.exe",
    "梁柱墙施工图|裂缝与挠度验算\t\t|RunExeFile|RCDW|CrackChk.exe",
    "梁柱墙施工图|三维钢筋浏览\t\t|RunExeFile|RCDW|VIEW\\TRUV3D.exe 3",
    "梁柱墙施工图|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

constexpr std::string_view kSlabStairRows[] = {
    "SLAB&STAIR|楼板配筋计算\t\t|RunExeFile|SLAB|SlabCalc.exe",
    "SLAB&STAIR|楼板施工图\t\t|RunExeFile|SLAB|SlabDraw.exe",
    "SLAB&STAIR|复杂楼板有限元分析\t|RunExeFile|SLAB|SlabFem.exe -FEM",
    "SLAB&STAIR|楼梯建模\t\t\t|RunExeFile|STAIR|StairIn.exe",
    "SLAB&STAIR|楼梯计算与施工图\t|RunExeFileMin|STAIR|StairCalc.exe|RunExeFileMax|STAIR|StairDraw.exe",
    "SLAB&STAIR|楼板荷载导算\t\t|RunExeFile|CORE|EXECMGR.exe 12",
    "SLAB&STAIR|平面构件编号\t\t|RunExeFile|CORE|EXECMGR.exe 12 4",
    "SLAB&STAIR|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

constexpr std::string_view kLyra8Rows[] = {
    "LYRA-8|接CORE生成LYRA数据\t\t|RunExeFile|LYR8|LyraData.exe",
    "LYRA-8|结构内力，配筋计算\t\t|RunExeFile|LYR8|LyraCalc.exe",
    "LYRA-8|分析结果图形和文本显示\t|RunExeFile|LYR8|LyraView.exe",
    "LYRA-8|框支剪力墙有限元分析\t|RunExeFile|LYR8|WallFem.exe  -LYR8",
};

constexpr std::string_view kOrion8Rows[] = {
    "ORION-8|接CORE生成ORION数据\t\t|RunExeFile|ORION8|OrionData.exe",
    "ORION-8|结构内力与配筋计算\t\t|RunExeFile|ORION8|OrionCalc.exe",
    "ORION-8|动力时程分析\t\t\t|RunExeFile|ORION8|OrionCalc.exe -TH",
    "ORION-8|分析结果图形和文本显示\t|RunExeFile|ORION8|OrionView.exe",
    "ORION-8|吊车荷载输入\t\t\t|RunExeFile|ORION8|CraneLd.exe -OR8",
    "ORION-8|旧版数据转换\t\t\t|RunExeFile|ORION8|DataConv.exe",
    "ORION-8|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

// The older edition of the module in development: no finite-element wall item.
constexpr std::string_view kVega8Rows[] = {
    "VEGA-8|接CORE生成VEGA数据\x20",
    "VEGA-8|结构内力，配筋计算\x20",
    "VEGA-8|CORE次梁内力与配筋计算\x20",
    "VEGA-8|分析结果图形和文本显示\x20",
    "VEGA-8|新版程序说明与常见问题\x20",
};

constexpr std::string_view kFoundationRows[] = {
    "基础设计 FDN|地质资料输入\t\t|RunExeFile|FDN|SoilIn.exe",
    "基础设计 FDN|基础模型与荷载输入\t|RunExeFile|FDN|FndIn.exe",
    "基础设计 FDN|独立基础与条形基础设计\t|RunExeFile|FDN|EXECMGR.exe 21 1",
    "基础设计 FDN|弹性地基梁计算\t\t|RunExeFile|FDN|EXECMGR.exe 21 2",
    "基础设计 FDN|桩基础与承台设计\t|RunExeFile|FDN|EXECMGR.exe 21 3",
    "基础设计 FDN|筏板基础有限元计算\t|RunExeFile|FDN|RaftFem.exe",
    "基础设计 FDN|沉降计算\t\t\t|RunExeFile|FDN|Settle.exe",
    "基础设计 FDN|基础施工图\t\t|RunExeFile|FDN|FndDraw.exe",
    "基础设计 FDN|基础工程量统计\t\t|RunExeFile|FDN|Qty.exe  -FDN",
    "基础设计 FDN|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

// The retaining-wall row carries an empty field before its verb.
constexpr std::string_view kMemberRows[] = {
    "砼构件计算|矩形截面配筋计算\t|RunExeFile|RCM|Section.exe -R",
    "砼构件计算|异形柱截面配筋\t\t|RunExeFile|RCM|Section.exe -L",
    "砼构件计算|牛腿与预埋件计算\t|RunExeFile|RCM|Corbel.exe",
    "砼构件计算|挡土墙计算\t\t||RunExeFile|RCM|Retain.exe",
    "砼构件计算|计算书输出\t\t|RunExeFile|RCM|Report.exe",
};

constexpr std::string_view kBentFrameRows[] = {
    "框排架设计 FRM|框排架模型输入\t|RunExeFile|FRM|FrmIn.exe",
    "框排架设计 FRM|框排架内力分析\t|RunExeFile|FRM|FrmCalc",
    "框排架设计 FRM|吊车荷载输入\t\t|RunExeFile|FRM|CraneLd.exe -FRM",
    "框排架设计 FRM|柱施工图\t\t|RunExeFile|FRM|FrmDraw.exe -C",
    "框排架设计 FRM|连续梁施工图\t\t|RunExeFile|FRM|FrmDraw.exe -B",
    "框排架设计 FRM|计算书输出\t\t|RunExeFile|FRM|FrmRpt.exe",
    "框排架设计 FRM|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

constexpr std::string_view kIsolationRows[] = {
    "ISOLATE|隔震支座布置\t\t|RunExeFile|ISOL|IsoLay.exe",
    "ISOLATE|隔震层计算\t\t|RunExeFile|ISOL|IsoCalc.exe",
    "ISOLATE|消能器布置与计算\t|RunExeFile|ISOL|Damper.exe",
    "ISOLATE|隔震结果显示\t\t|RunExeFile|ISOL|IsoView.exe",
    "ISOLATE|隔震层施工图\t\t|RunExeFile|ISOL|IsoDraw.exe",
};

constexpr std::string_view kQuantityRows[] = {
    "工程量统计|全楼钢筋与混凝土用量|RunExeFile|QTYS|Qty.exe -ALL\x20",
};

constexpr std::string_view kSpaceAnalysisCaption = "多层及高层建筑结构空间分析软件";
constexpr std::string_view kTallBuildingCaption  = "高层建筑结构空间有限元分析软件";
constexpr std::string_view kSolidAnalysisCaption = "建筑结构三维有限元分析与设计软件";

constexpr ModuleBlock kStructureBlocks[] = {
    {"结构建模及平面辅助设计",       "CORE",    1, kModelRows},
    {kSpaceAnalysisCaption,          "LYR",     8, kLyraRows},
    {kTallBuildingCaption,           "ORION",   6, kOrionRows},
    {kSolidAnalysisCaption,          "VEGA",    5, kVegaRows},
    {"混凝土结构施工图设计",         "RCDW",    3, kDrawingRows},
    {"楼板与楼梯辅助设计",           "CORE",    1, kSlabStairRows},
    {kSpaceAnalysisCaption,          "LYR8",    1, kLyra8Rows},
    {kTallBuildingCaption,           "ORION8",  1, kOrion8Rows},
    {kSolidAnalysisCaption,          "VEGA8",   1, kVega8Rows},
    {"地基基础辅助设计软件",         "FDN",     1, kFoundationRows},
    {"混凝土基本构件计算软件",       "RCM",     4, kMemberRows},
    {" 钢筋混凝土框排架结构设计",    "FRM",     8, kBentFrameRows},
    {" 隔震与消能减震结构设计软件",  "ISOL",    9, kIsolationRows},
    {"结构工程量统计软件",           "QTYS",    2, kQuantityRows},
};
// clang-format on

}  // namespace

std::span<const ModuleBlock> StructureBlocks() {
    return kStructureBlocks;
}

void BuildStructureGroup(MenuCatalog& catalog) {
    AddBlocks(catalog, kStructureBlocks);
}
