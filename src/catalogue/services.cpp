// The building-services group: water supply and drainage, HVAC, electrical, fire protection,
// site pipe networks, gas and the services bill of quantities.
#include "catalogue/builders.h"
#include "catalogue/group_tables.h"
#include "catalogue/module_block.h"
#include "model/menu_catalog.h"

namespace {

// The first four modules open with the same building-conditions sub-menu; only its first
// entry differs, by the switch that tells the reader which discipline asks.
// clang-format off
constexpr std::string_view kWaterRows[] = {
    "给水排水|建筑条件_读取建筑模型\t|RunExeFile|BCOND|CondIn.exe -WPD",
    "给水排水|建筑条件_楼层与房间\t|RunExeFile|BCOND|RoomSet.exe",
    "给水排水|建筑条件_平面条件编辑\t|RunExeFile|BCOND|CondEdit.exe",
    "给水排水|建筑条件_条件图输出\t|RunExeFile|BCOND|CondOut.exe",
    "给水排水|建筑条件_三维条件浏览\t|RunExeFile|BCOND|CondView.exe",
    "给水排水|给水管网布置\t\t|RunExeFile|WPD|WaterNet.exe",
    "给水排水|排水管网布置\t\t|RunExeFile|WPD|DrainNet.exe",
    "给水排水|管网水力计算_给水\t|RunExeFile|WPD|HydroW.exe",
    "给水排水|管网水力计算_排水\t|RunExeFile|WPD|HydroD.exe",
    "给水排水|系统原理图\t\t|RunExeFile|WPD|WpdSys.exe",
    "给水排水|卫生间详图\t\t|RunExeFile|WPD|Toilet.exe",
    "给水排水|图纸编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
    "给水排水|材料统计\t\t|RunExeFile|WPD|WpdQty.exe",
};

constexpr std::string_view kHvacRows[] = {
    "HVAC|建筑条件_读取建筑模型\t|RunExeFile|BCOND|CondIn.exe -HVAC",
    "HVAC|建筑条件_楼层与房间\t|RunExeFile|BCOND|RoomSet.exe",
    "HVAC|建筑条件_平面条件编辑\t|RunExeFile|BCOND|CondEdit.exe",
    "HVAC|建筑条件_条件图输出\t|RunExeFile|BCOND|CondOut.exe",
    "HVAC|建筑条件_三维条件浏览\t|RunExeFile|BCOND|CondView.exe",
    "HVAC|冷热负荷计算\t\t|RunExeFile|HVAC|Load.exe",
    "HVAC|风管布置\t\t|RunExeFile|HVAC|Duct.exe",
    "HVAC|风管水力计算\t\t|RunExeFile|HVAC|DuctCalc.exe",
    "HVAC|水管布置\t\t|RunExeFile|HVAC|Pipe.exe",
    "HVAC|水管水力计算\t\t|RunExeFile|HVAC|PipeCalc.exe",
    "HVAC|选型\t\t\t|RunExeFile|HVAC|Equip.exe",
    "HVAC|图纸编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
    "HVAC|材料统计\t\t|RunExeFile|HVAC|HvacQty.exe",
};

constexpr std::string_view kElectricalRows[] = {
    "建筑电气|建筑条件_读取建筑模型\t|RunExeFile|BCOND|CondIn.exe -ELEC",
    "建筑电气|建筑条件_楼层与房间\t|RunExeFile|BCOND|RoomSet.exe",
    "建筑电气|建筑条件_平面条件编辑\t|RunExeFile|BCOND|CondEdit.exe",
    "建筑电气|建筑条件_条件图输出\t|RunExeFile|BCOND|CondOut.exe",
    "建筑电气|建筑条件_三维条件浏览\t|RunExeFile|BCOND|CondView.exe",
    "建筑电气|照明设计\t\t|RunExeFile|ELEC|Light.exe",
    "建筑电气|动力配电\t\t|RunExeFile|ELEC|Power.exe",
    "建筑电气|系统图_照明系统\t|RunExeFile|ELEC|LightSys.exe",
    "建筑电气|系统图_配电系统\t|RunExeFile|ELEC|PowerSys.exe",
    "建筑电气|防雷与接地\t\t|RunExeFile|ELEC|Lightning.exe",
    "建筑电气|弱电设计\t\t|RunExeFile|ELEC|LowVolt.exe",
    "建筑电气|负荷计算\t\t|RunExeFile|ELEC|ElecLoad.exe",
    "建筑电气|材料统计\t\t|RunExeFile|ELEC|ElecQty.exe",
    "建筑电气|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

constexpr std::string_view kFireRows[] = {
    "FIREPRO|建筑条件_读取建筑模型\t|RunExeFile|BCOND|CondIn.exe -FIRE",
    "FIREPRO|建筑条件_楼层与房间\t|RunExeFile|BCOND|RoomSet.exe",
    "FIREPRO|建筑条件_平面条件编辑\t|RunExeFile|BCOND|CondEdit.exe",
    "FIREPRO|建筑条件_条件图输出\t|RunExeFile|BCOND|CondOut.exe",
    "FIREPRO|建筑条件_三维条件浏览\t|RunExeFile|BCOND|CondView.exe",
    "FIREPRO|喷淋系统布置\t\t|RunExeFile|FIRE|Sprink.exe",
    "FIREPRO|喷淋水力计算\t\t|RunExeFile|FIRE|SprCalc.exe",
    "FIREPRO|消火栓布置\t\t|RunExeFile|FIRE|Hydrant.exe",
    "FIREPRO|火灾报警系统\t\t|RunExeFile|FIRE|Alarm.exe",
    "FIREPRO|消防系统图\t\t|RunExeFile|FIRE|FireSys.exe",
    "FIREPRO|材料统计\t\t|RunExeFile|FIRE|FireQty.exe",
    "FIREPRO|图形编辑、打印及转换\t|RunExeFile|CFG|GrafEdit.exe",
};

constexpr std::string_view kSiteNetworkRows[] = {
    "室外管网设计 OUTN|室外管网布置\t|RunExeFile|OUTN|OutNet.exe",
    "室外管网设计 OUTN|检查井与管道纵断面\t|RunExeFile|OUTN|Profile.exe",
    "室外管网设计 OUTN|室外管网水力计算\t|RunExeFile|OUTN|OutCalc.exe",
    "室外管网设计 OUTN|管网平面图\t\t|RunExeFile|OUTN|OutDraw.exe",
    "室外管网设计 OUTN|土方量计算\t\t|RunExeFile|OUTN|Earth.exe",
    "室外管网设计 OUTN|图库符号编辑\t|RunExeFile|CFG|GrafEdit.exe  -SYM",
    "室外管网设计 OUTN|材料统计\t\t|RunExeFile|OUTN|OutQty.exe",
};

constexpr std::string_view kGasRows[] = {
    "燃气设计|燃气管道布置\t\t|RunExeFile|GAS|GasPipe.exe",
    "燃气设计|燃气用具布置\t\t|RunExeFile|GAS|GasAppl.exe",
    "燃气设计|燃气水力计算\t\t|RunExeFile|GAS|GasCalc.exe",
    "燃气设计|燃气系统图\t\t|RunExeFile|GAS|GasSys.exe",
    "燃气设计|调压设备选型\t\t|RunExeFile|GAS|Regulator.exe",
    "燃气设计|图纸目录与图框|RunExeFile|CFG|GrafEdit.exe",
    "燃气设计|燃气施工说明\t\t|RunExeFile|GAS|GasNote.exe",
    "燃气设计|材料统计\t\t|RunExeFile|GAS|GasQty.exe",
};

constexpr std::string_view kServicesQuantityRows[] = {
    "设备工程量|设备材料汇总表\x20\x20\x20|RunExeFile|SQTY|SvcQty.exe",
};

constexpr ModuleBlock kServicesBlocks[] = {
    {"建筑给水排水设计软件",    "WPD",   1, kWaterRows},
    {"采暖通风与空调设计软件",  "HVAC",  1, kHvacRows},
    {"建筑电气设计软件",        "ELEC",  1, kElectricalRows},
    {"建筑消防设计软件",        "FIRE",  1, kFireRows},
    {"室外给排水管网设计软件",  "OUTN",  1, kSiteNetworkRows},
    {"燃气工程设计软件",        "GAS",   1, kGasRows},
    {"设备工程量统计软件",      "SQTY",  1, kServicesQuantityRows},
};
// clang-format on

}  // namespace

std::span<const ModuleBlock> ServicesBlocks() {
    return kServicesBlocks;
}

void BuildServicesGroup(MenuCatalog& catalog) {
    AddBlocks(catalog, kServicesBlocks);
}
