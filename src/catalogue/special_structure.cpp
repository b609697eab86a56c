// The special-structures group: chimneys, prestressed concrete, cellular foundations, silos
// and pools.
#include "catalogue/builders.h"
#include "catalogue/group_tables.h"
#include "catalogue/module_block.h"
#include "launch/install_paths.h"
#include "model/menu_catalog.h"

namespace {

// clang-format off
constexpr std::string_view kChimneyRows[] = {
    "烟囱设计 CHIM|烟囱数据输入\t\t|RunExeFile|CHIM|Chimney.exe",
    "烟囱设计 CHIM|烟囱内力与配筋计算\t|RunExeFile|CHIM|Chimney.exe  -CAL",
    "烟囱设计 CHIM|烟囱施工图\t\t|RunExeFile|CHIM|ChimDraw.exe",
    "烟囱设计 CHIM|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

// The two editions of the prestressed block. They differ only in the four analysis rows
// (data from the structural model, analysis, ordinary reinforcement, results), which run
// the programs of the analysis module installed under "LYR" or, failing that, "LYR8".
// The last row of the 3D module is served by the special-structures item flow.
constexpr std::string_view kPrestressedRowsLyr[] = {
    "预应力砼结构三维设计 TEND|预应力结构模型输入\t|RunExeFile|TEND|TendIn.exe",
    "预应力砼结构三维设计 TEND|接CORE生成分析数据\t|RunExeFile|LYR|LyraData.exe -TND",
    "预应力砼结构三维设计 TEND|结构整体内力分析\t|RunExeFile|LYR|LyraCalc.exe -TND",
    "预应力砼结构三维设计 TEND|预应力筋布置_框架梁\t|RunExeFile|TEND|TendLay.exe -KL",
    "预应力砼结构三维设计 TEND|预应力筋布置_次梁与板\t|RunExeFile|TEND|TendLay.exe -CB",
    "预应力砼结构三维设计 TEND|预应力损失与验算\t|RunExeFile|TEND|TendChk.exe",
    "预应力砼结构三维设计 TEND|非预应力筋配筋设计\t|RunExeFile|LYR|LyraCalc.exe -TND  -RB",
    "预应力砼结构三维设计 TEND|分析结果图形显示\t|RunExeFile|LYR|LyraView.exe -TND",
    "预应力砼结构三维设计 TEND|预应力施工图_框架梁\t|RunExeFile|TEND|TendDraw.exe 1",
    "预应力砼结构三维设计 TEND|预应力施工图_次梁与板\t|RunExeFile|TEND|TendDraw.exe 2",
    "预应力砼结构三维设计 TEND|形成二维框架连续梁数据文件",

    "TEND-2D|二维框架连续梁建模\t|RunExeFile|TEND|Tend2D.exe",
    "TEND-2D|预应力筋自动布置\t|RunExeFile|TEND|TendAuto",
    "TEND-2D|二维预应力计算\t\t|RunExeFile|TEND|EXECMGR.exe 41",
    "TEND-2D|二维预应力施工图\t|RunExeFile|TEND|EXECMGR.exe 42",
    "TEND-2D|计算书输出\t\t|RunExeFile|TEND|Tend2DRpt.exe",
    "TEND-2D|三维模型浏览\t\t|RunExeFile|TEND|TRUV3D.exe",
    "TEND-2D|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

constexpr std::string_view kPrestressedRowsLyr8[] = {
    "预应力砼结构三维设计 TEND|预应力结构模型输入\t|RunExeFile|TEND|TendIn.exe",
    "预应力砼结构三维设计 TEND|接CORE生成分析数据\t|RunExeFile|LYR8|LyraData.exe -TND",
    "预应力砼结构三维设计 TEND|结构整体内力分析\t|RunExeFile|LYR8|LyraCalc.exe -TND",
    "预应力砼结构三维设计 TEND|预应力筋布置_框架梁\t|RunExeFile|TEND|TendLay.exe -KL",
    "预应力砼结构三维设计 TEND|预应力筋布置_次梁与板\t|RunExeFile|TEND|TendLay.exe -CB",
    "预应力砼结构三维设计 TEND|预应力损失与验算\t|RunExeFile|TEND|TendChk.exe",
    "预应力砼结构三维设计 TEND|非预应力筋配筋设计\t|RunExeFile|LYR8|LyraCalc.exe -TND  -RB",
    "预应力砼结构三维设计 TEND|分析结果图形显示\t|RunExeFile|LYR8|LyraView.exe -TND",
    "预应力砼结构三维设计 TEND|预应力施工图_框架梁\t|RunExeFile|TEND|TendDraw.exe 1",
    "预应力砼结构三维设计 TEND|预应力施工图_次梁与板\t|RunExeFile|TEND|TendDraw.exe 2",
    "预应力砼结构三维设计 TEND|形成二维框架连续梁数据文件",

    "TEND-2D|二维框架连续梁建模\t|RunExeFile|TEND|Tend2D.exe",
    "TEND-2D|预应力筋自动布置\t|RunExeFile|TEND|TendAuto",
    "TEND-2D|二维预应力计算\t\t|RunExeFile|TEND|EXECMGR.exe 41",
    "TEND-2D|二维预应力施工图\t|RunExeFile|TEND|EXECMGR.exe 42",
    "TEND-2D|计算书输出\t\t|RunExeFile|TEND|Tend2DRpt.exe",
    "TEND-2D|三维模型浏览\t\t|RunExeFile|TEND|TRUV3D.exe",
    "TEND-2D|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

// The wall reinforcement row is served by the special-structures item flow.
constexpr std::string_view kCellularFoundationRows[] = {
    "箱形基础设计 TUB|箱基数据输入\t\t|RunExeFile|TUB|TubIn.exe",
    "箱形基础设计 TUB|沉降计算\t\t\t|RunExeFile|TUB|TubSoil.exe",
    "箱形基础设计 TUB|顶板与底板计算\t\t|RunExeFile|TUB|TubSlab.exe",
    "箱形基础设计 TUB|墙体配筋选择",
    "箱形基础设计 TUB|墙体施工图\t\t|RunExeFile|TUB|TubWall.exe",
    "箱形基础设计 TUB|底板施工图\t\t|RunExeFile|TUB|TubDraw.exe",
    "箱形基础设计 TUB|墙体开洞验算\t\t|RunExeFile|TUB|TubHole.exe",
    "箱形基础设计 TUB|基础施工图\t\t|RunExeFile|TUB|TubFnd.exe",
    "箱形基础设计 TUB|材料统计\t\t|RunExeFile|TUB|TubQty.exe",
    "箱形基础设计 TUB|计算书输出\t\t|RunExeFile|TUB|TubRpt.exe",
    "箱形基础设计 TUB|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

constexpr std::string_view kSiloRows[] = {
    "SILO|筒仓数据输入\t\t|RunExeFile|SILO|SiloIn.exe",
    "SILO|仓壁计算与施工图\t|RunExeFileMin|SILO|SiloCalc.exe|RunExeFileMax|SILO|SiloDraw.exe",
    "SILO|仓底与支承结构计算\t|RunExeFile|SILO|SiloBase.exe",
    "SILO|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

constexpr std::string_view kPoolRows[] = {
    "水池设计|矩形与圆形水池计算|RunExeFile|POOL|Pool.exe",
};

constexpr std::string_view kChimneyCaption            = " 烟囱结构设计软件";
constexpr std::string_view kPrestressedCaption        = "预应力混凝土结构设计";
constexpr std::string_view kCellularFoundationCaption = "箱形基础与地下室结构软件";
constexpr std::string_view kSiloCaption               = " 筒仓结构设计软件";
constexpr std::string_view kPoolCaption               = " 水池结构设计软件";

constexpr ModuleBlock kSpecialBlocksLyr[] = {
    {kChimneyCaption,             "CHIM",  4, kChimneyRows},
    {kPrestressedCaption,         "TEND",  1, kPrestressedRowsLyr},
    {kCellularFoundationCaption,  "TUB",   2, kCellularFoundationRows},
    {kSiloCaption,                "SILO",  6, kSiloRows},
    {kPoolCaption,                "POOL",  7, kPoolRows},
};

constexpr ModuleBlock kSpecialBlocksLyr8[] = {
    {kChimneyCaption,             "CHIM",  4, kChimneyRows},
    {kPrestressedCaption,         "TEND",  1, kPrestressedRowsLyr8},
    {kCellularFoundationCaption,  "TUB",   2, kCellularFoundationRows},
    {kSiloCaption,                "SILO",  6, kSiloRows},
    {kPoolCaption,                "POOL",  7, kPoolRows},
};
// clang-format on

}  // namespace

std::span<const ModuleBlock> SpecialStructureBlocks(bool lyrInstalled) {
    if (lyrInstalled) {
        return kSpecialBlocksLyr;
    }
    return kSpecialBlocksLyr8;
}

void BuildSpecialStructureGroup(MenuCatalog& catalog) {
    AddBlocks(catalog, SpecialStructureBlocks(CfgPathHasKey("LYR")));
}
