// The architecture group: the 3D architectural design module and two single-item modules.
#include "catalogue/builders.h"
#include "catalogue/group_tables.h"
#include "catalogue/module_block.h"
#include "model/menu_catalog.h"

namespace {

// Every row of the 3D design module but one is served by the architecture item flow.
// clang-format off
constexpr std::string_view kBuildingRows[] = {
    "三维建筑设计 BLDG|建筑模型输入",
    "三维建筑设计 BLDG|三维CAD",
    "三维建筑设计 BLDG|建筑平面图",
    "三维建筑设计 BLDG|建筑立面图",
    "三维建筑设计 BLDG|建筑剖面图",
    "三维建筑设计 BLDG|建筑大样图",
    "三维建筑设计 BLDG|房间面积统计及门窗表",
    "三维建筑设计 BLDG|三维线框透视图",
    "三维建筑设计 BLDG|三维模型渲染",
    "三维建筑设计 BLDG|建筑模型动画",
    "三维建筑设计 BLDG|总平面图",
    "三维建筑设计 BLDG|日照分析",
    "三维建筑设计 BLDG|与结构CAD(CORECAD)接口",
    "三维建筑设计 BLDG|建筑构件图库\t\t\t|RunExeFile|BLDG|ArchLib.exe",
    "三维建筑设计 BLDG|图形编辑、打印及转换",
};

constexpr std::string_view kDrawingArchiveRows[] = {
    "图档管理 DMGT|工程图档归档与查阅|RunExeFile|DMGT|DocVault.exe",
};

constexpr std::string_view kCadLinkRows[] = {
    "CAD-LINK|进入通用绘图平台\t\t|RunExeFile|DRAW|ACAD.EXE",
};

constexpr ModuleBlock kArchitectureBlocks[] = {
    {"三维建筑设计软件",      "BLDG",  8, kBuildingRows},
    {"工程图档管理软件",      "DMGT",  8, kDrawingArchiveRows},
    {"通用绘图平台接口软件",  "DRAW",  3, kCadLinkRows},
};
// clang-format on

}  // namespace

std::span<const ModuleBlock> ArchitectureBlocks() {
    return kArchitectureBlocks;
}

void BuildArchitectureGroup(MenuCatalog& catalog) {
    AddBlocks(catalog, kArchitectureBlocks);
}
