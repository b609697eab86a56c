// The masonry group: multi-storey masonry, bottom-frame structures in 3D and 2D, masonry
// members, reinforced block masonry and quantities, all of one masonry module.
#include "catalogue/builders.h"
#include "catalogue/group_tables.h"
#include "catalogue/module_block.h"
#include "model/menu_catalog.h"

namespace {

// clang-format off
constexpr std::string_view kMultiStoreyRows[] = {
    "多层砌体结构|建筑模型与荷载输入\t|RunExeFile|CORE|Modelin.exe -BK",
    "多层砌体结构|砌体结构抗震验算\t|RunExeFile|BRIK|BrikChk.exe",
    "多层砌体结构|圈梁构造柱布置\t\t|RunExeFile|BRIK|RingBeam.exe",
    "多层砌体结构|砌体结构施工图\t\t|RunExeFile|BRIK|EXECMGR.exe 305",
    "多层砌体结构|砌体结构使用手册\t|RunExeFile|BRIK|Brik.chm",
    "多层砌体结构|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

// The three VEGA rows show the structure notice through the masonry item flow.
constexpr std::string_view kBottomFrame3DRows[] = {
    "底框-抗震墙结构三维分析|生成VEGA数据",
    "底框-抗震墙结构三维分析|VEGA内力及配筋计算",
    "底框-抗震墙结构三维分析|VEGA计算结果显示",
    "底框-抗震墙结构三维分析|接CORE生成ORION数据\t|RunExeFile|ORION|OrionData.exe  -BK",
    "底框-抗震墙结构三维分析|结构内力与配筋计算\t|RunExeFile|ORION|OrionCalc.exe",
    "底框-抗震墙结构三维分析|ORION计算结果显示\t|RunExeFile|ORION|OrionView.exe -BK",
    "底框-抗震墙结构三维分析|底框抗震验算\t\t|RunExeFile|BRIK|EXECMGR.exe 301 1",
    "底框-抗震墙结构三维分析|底框梁柱配筋计算\t|RunExeFile|BRIK|EXECMGR.exe 301 2",
    "底框-抗震墙结构三维分析|底框梁柱施工图\t|RunExeFileMin|BRIK|EXECMGR.exe 302 1|RunExeFileMax|BRIK|BkDraw.exe",
    "底框-抗震墙结构三维分析|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

// The FLAT data row keeps the two tabs it was aligned with; the masonry flow trims them.
constexpr std::string_view kBottomFrame2DRows[] = {
    "底框及连续梁结构二维分析|底框二维模型输入\t|RunExeFile|BRIK|EXECMGR.exe 310 1",
    "底框及连续梁结构二维分析|生成FLAT数据\t\t",
    "底框及连续梁结构二维分析|底框二维内力计算\t|RunExeFile|BRIK|EXECMGR.exe 310 3",
    "底框及连续梁结构二维分析|连续梁计算与施工图\t|RunExeFileMin|BRIK|ContBeam.exe|RunExeFileMax|BRIK|ContDraw.exe",
    "底框及连续梁结构二维分析|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

constexpr std::string_view kMemberRows[] = {
    "砌体构件计算|墙体受压承载力计算\t|RunExeFile|BRIK|Member.exe -WY",
    "砌体构件计算|局部受压计算\t\t|RunExeFile|BRIK|LocalComp.exe",
    "砌体构件计算|墙梁计算\t\t\t|RunExeFile|BRIK|WallBeam.exe",
    "砌体构件计算|挑梁计算\t\t\t|RunExeFile|BRIK|Cantil.exe",
    "砌体构件计算|过梁计算\t\t\t|RunExeFile|BRIK|Lintel.exe",
    "砌体构件计算|砌体构件计算书\t\t|RunExeFile|BRIK|Report.exe  BRIK",
    "砌体构件计算|三维模型浏览\t\t|RunExeFile|BRIK|TRUV3D.exe 2",
    "砌体构件计算|抗震墙段承载力计算\t|RunExeFile|BRIK|WallSeg.exe -KZ",
};

constexpr std::string_view kReinforcedBlockRows[] = {
    "配筋砌块砌体|配筋砌块模型输入\t|RunExeFile|BRIK|BlockIn.exe",
    "配筋砌块砌体|配筋砌块内力分析\t|RunExeFile|BRIK|EXECMGR.exe 330 1",
    "配筋砌块砌体|配筋砌块墙体设计\t|RunExeFile|BRIK|BlockWall.exe -D",
    "配筋砌块砌体|芯柱与水平钢筋施工图\t|RunExeFileMin|BRIK|BlockDraw.exe 1|RunExeFileMax|BRIK|BlockDraw.exe 2",
    "配筋砌块砌体|计算书输出\t\t|RunExeFile|BRIK|BlockRpt.exe",
};

constexpr std::string_view kQuantityRows[] = {
    "BRIK-QTY|工程量统计|RunExeFile|BRIK|BrikQty.exe\x20",
};

constexpr std::string_view kMasonryCaption = "砌体结构辅助设计";

constexpr ModuleBlock kMasonryBlocks[] = {
    {kMasonryCaption,  "BRIK",  1, kMultiStoreyRows},
    {kMasonryCaption,  "BRIK",  1, kBottomFrame3DRows},
    {kMasonryCaption,  "BRIK",  1, kBottomFrame2DRows},
    {kMasonryCaption,  "BRIK",  1, kMemberRows},
    {kMasonryCaption,  "BRIK",  1, kReinforcedBlockRows},
    {kMasonryCaption,  "BRIK",  1, kQuantityRows},
};
// clang-format on

}  // namespace

std::span<const ModuleBlock> MasonryBlocks() {
    return kMasonryBlocks;
}

void BuildMasonryGroup(MenuCatalog& catalog) {
    AddBlocks(catalog, kMasonryBlocks);
}
