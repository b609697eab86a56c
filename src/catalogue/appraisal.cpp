// The appraisal and strengthening group: inspection and appraisal of existing buildings,
// strengthening design, the strengthening materials library and masonry strengthening.
#include "catalogue/builders.h"
#include "catalogue/group_tables.h"
#include "catalogue/module_block.h"
#include "model/menu_catalog.h"

namespace {

// The four inspection programs run through the shell; the launcher knows their names.
// clang-format off
constexpr std::string_view kAppraisalRows[] = {
    "既有建筑鉴定|现场检测数据录入\t|RunExeFile|APPR|INSPECT1.EXE",
    "既有建筑鉴定|材料强度检测评定\t|RunExeFile|APPR|INSPECT2.EXE -STR",
    "既有建筑鉴定|构件损伤检测评定\t|RunExeFile|APPR|INSPECT3.EXE  -DMG",
    "既有建筑鉴定|检测数据汇总检查\t|RunExeFile|APPR|INSPECT4.EXE",
    "既有建筑鉴定|结构鉴定模型输入\t|RunExeFile|APPR|AssessIn.exe -A",
    "既有建筑鉴定|抗震鉴定计算\t\t|RunExeFile|APPR|SeisChk.exe -A",
    "既有建筑鉴定|可靠性鉴定评级\t\t|RunExeFile|APPR|Rating.exe 2",
    "既有建筑鉴定|鉴定报告输出\t\t|RunExeFile|APPR|AssessRpt.exe DOC",
    "既有建筑鉴定|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

constexpr std::string_view kStrengtheningRows[] = {
    "混凝土结构加固|加固模型输入\t\t|RunExeFile|APPR|RetroIn.exe -IN",
    "混凝土结构加固|加大截面法加固\t\t|RunExeFile|APPR|Retro.exe -JM",
    "混凝土结构加固|粘钢与碳纤维加固\t|RunExeFile|APPR|Retro.exe -ZG",
    "混凝土结构加固|外包钢加固\t\t|RunExeFile|APPR|Retro.exe  -WB",
    "混凝土结构加固|加固前后对比计算\t|RunExeFileMin|APPR|RetroCalc.exe -OLD|RunExeFileMax|APPR|RetroCalc.exe -NEW",
    "混凝土结构加固|加固施工图\t\t|RunExeFile|APPR|RetroDraw.exe",
    "混凝土结构加固|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
    "混凝土结构加固|工程量统计\t\t|RunExeFile|APPR|TOOLS\\RetroQty.exe",
};

constexpr std::string_view kMaterialRows[] = {
    "RETROLIB|加固材料库维护|RunExeFile|APPR|MatLib.exe",
};

constexpr std::string_view kMasonryStrengtheningRows[] = {
    "MASONRY-R|砌体结构抗震验算|RunExeFile|APPR|BrikAssess.exe -A",
    "MASONRY-R|砌体加固设计\t\t|RunExeFile|APPR|BrikRetro.exe -B",
    "MASONRY-R|钢筋网砂浆面层与外包型钢加固法(含抗震构造措施)\x20\x20\x20|RunExeFileMin|APPR|Mortar.exe|RunExeFileMax|APPR|MortarDwg.exe",
    "MASONRY-R|加固计算书\t\t|RunExeFile|APPR|BrikRpt.exe",
};

constexpr ModuleBlock kAppraisalBlocks[] = {
    {"既有建筑结构检测鉴定软件",  "APPR",  1, kAppraisalRows},
    {"混凝土结构加固设计软件",    "APPR",  1, kStrengtheningRows},
    {"加固材料数据库软件",        "APPR",  1, kMaterialRows},
    {"砌体结构鉴定加固软件",      "APPR",  1, kMasonryStrengtheningRows},
};
// clang-format on

}  // namespace

std::span<const ModuleBlock> AppraisalBlocks() {
    return kAppraisalBlocks;
}

void BuildAppraisalGroup(MenuCatalog& catalog) {
    AddBlocks(catalog, kAppraisalBlocks);
}
