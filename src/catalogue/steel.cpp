// The steel group: the steel design module with its seven sub-modules, and steel detailing.
#include "catalogue/builders.h"
#include "catalogue/group_tables.h"
#include "catalogue/module_block.h"
#include "model/menu_catalog.h"

namespace {

// The first block holds seven modules under one caption, key and number; four rows of the
// frame module are served by the steel item flow.
// clang-format off
constexpr std::string_view kSteelRows[] = {
    "型钢库 STL|型钢截面库维护\t\t|RunExeFile|IRON|SecLib.exe",
    "型钢库 STL|组合截面定义\t\t|RunExeFile|IRON|SecLib.exe -COMB",
    "型钢库 STL|使用手册\t\t\t|RunExeFile|IRON|Steel.chm",
    "型钢库 STL|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",

    "框架|三维模型与荷载输入",
    "框架|VEGA、LYRA或ORION计算",
    "框架|平面框架模型输入\t\t|RunExeFile|IRON|EXECMGR.exe 1",
    "框架|平面框架内力分析\t\t|RunExeFile|IRON|EXECMGR.exe 2",
    "框架|结构三维线框透视图",
    "框架|形成FLAT文件",
    "框架|分析结果图形和文本显示\t|RunExeFile|ORION|OrionView.exe",
    "框架|构件截面验算\t\t\t|RunExeFile|IRON|EXECMGR.exe 3 1",
    "框架|梁柱节点设计\t\t\t|RunExeFile|IRON|Joint.exe -KJ",
    "框架|柱脚设计\x20\t\t\t|RunExeFile|IRON|Joint.exe  -ZJ",
    "框架|框架施工图\t\t\t|RunExeFile|IRON|EXECMGR.exe 4 1",
    "框架|节点详图\t\t\t|RunExeFile|IRON|EXECMGR.exe 4 2",
    "框架|构件详图\t\t\t|RunExeFile|IRON|EXECMGR.exe 4 3",
    "框架|材料表统计\t\t\t|RunExeFile|IRON|EXECMGR.exe 5",
    "框架|三维模型浏览\t\t\t|RunExeFile|IRON|TRUV3D.exe -STL",
    "框架|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",

    "TRUSS|桁架模型输入\t\t|RunExeFile|IRON|EXECMGR.exe 11 1",
    "TRUSS|桁架内力分析\t\t|RunExeFile|IRON|EXECMGR.exe 11 2",
    "TRUSS|桁架杆件与节点设计\t|RunExeFile|IRON|EXECMGR.exe 11 3",
    "TRUSS|桁架施工图\t\t|RunExeFile|IRON|EXECMGR.exe  11 4",
    "TRUSS|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",

    "支撑|柱间支撑设计|RunExeFile|IRON|Brace.exe -ZC",
    "支撑|屋面支撑设计|RunExeFile|IRON|Brace.exe -WC",

    "PURLIN|檩条与墙梁计算\t\t|RunExeFile|IRON|Purlin.exe",
    "PURLIN|檩条布置图\t\t|RunExeFile|IRON|Purlin.exe  -DRW",

    "PORTAL|门式刚架模型输入\t|RunExeFile|IRON|EXECMGR.exe 31 1",
    "PORTAL|门式刚架内力分析\t|RunExeFile|IRON|EXECMGR.exe 31 2",
    "PORTAL|构件截面优化\t\t|RunExeFile|IRON|Optim.exe",
    "PORTAL|刚架梁柱验算\t\t|RunExeFile|IRON|EXECMGR.exe 31 3",
    "PORTAL|抗风柱计算\t\t|RunExeFile|IRON|WindCol.exe",
    "PORTAL|吊车梁计算\t\t|RunExeFile|IRON|CraneBeam.exe -PT",
    "PORTAL|刚架节点设计\t\t|RunExeFile|IRON|PtJoint.exe",
    "PORTAL|刚架施工图\t\t|RunExeFile|IRON|EXECMGR.exe 32",
    "PORTAL|节点详图\t\t\t|RunExeFile|IRON|Joint.exe -PT -DRW",
    "PORTAL|吊车荷载输入\t\t|RunExeFile|IRON|CraneLd.exe",
    "PORTAL|檩条墙梁施工图\t\t|RunExeFile|IRON|Purlin.exe -PT",
    "PORTAL|材料表统计\t\t|RunExeFile|IRON|BOM.exe STEEL",
    "PORTAL|三维模型浏览\t\t|RunExeFile|IRON|Solid3D",
    "PORTAL|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
    "PORTAL|计算书输出\t\t|RunExeFile|IRON|Report.exe  -PT",

    "吊车梁|吊车梁计算与施工图|RunExeFile|IRON|CraneBeam.exe",
};

constexpr std::string_view kDetailingRows[] = {
    "钢结构详图 SDET|节点连接库\t\t|RunExeFile|SDET|JointLib.exe",
    "钢结构详图 SDET|三维详图建模\t\t|RunExeFile|SDET|Detail3D.exe -IN",
    "钢结构详图 SDET|节点自动设计\t\t|RunExeFile|SDET|AutoJoint.exe",
    "钢结构详图 SDET|构件详图\t\t|RunExeFile|SDET|ShopDwg.exe 1",
    "钢结构详图 SDET|零件与材料清单\t|RunExeFile|SDET|ShopDwg.exe 2",
    "钢结构详图 SDET|数控下料数据\t\t|RunExeFile|SDET|NcData",
};

constexpr ModuleBlock kSteelBlocks[] = {
    {"钢结构计算机辅助设计软件",  "IRON",  1, kSteelRows},
    {"钢结构节点与详图软件",      "SDET",  6, kDetailingRows},
};
// clang-format on

}  // namespace

std::span<const ModuleBlock> SteelBlocks() {
    return kSteelBlocks;
}

void BuildSteelGroup(MenuCatalog& catalog) {
    AddBlocks(catalog, kSteelBlocks);
}
