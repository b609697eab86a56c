// The item flow of the structure group: the structural model module and the two VEGA editions.
#include "flows/flow_rows.h"
#include "flows/item_flows.h"
#include "flows/shared_sequences.h"

namespace flows {

namespace {

constexpr char kModelModule[] = "CORECAD";
constexpr char kVega[] = "VEGA";
constexpr char kVega8[] = "VEGA-8";

// clang-format off
constexpr FlowRow kStructureRows[] = {
    {kModelModule, "建筑模型与荷载输入",     kContinuation,  {kStructuralModelKey, "Modelin.exe", "Stage3.exe -PASS"}},
    {kModelModule, "形成FLAT文件",           kForming,       {kStructuralModelKey, "Stage4.exe", "EXECMGR.exe 10 2"}},
    {kModelModule, "结构三维线框透视图",     kWireframe,     {kStructuralModelKey}},
    {kVega,        "接CORE生成VEGA数据",     kShowDevNotice},
    {kVega,        "结构内力，配筋计算",     kShowDevNotice},
    {kVega,        "CORE次梁内力与配筋计算", kShowDevNotice},
    {kVega,        "分析结果图形和文本显示", kShowDevNotice},
    {kVega,        "框支剪力墙有限元分析",   kShowDevNotice},
    {kVega,        "新版程序说明与常见问题", kShowDevNotice},
    {kVega8,       "接CORE生成VEGA数据",     kShowDevNotice},
    {kVega8,       "结构内力，配筋计算",     kShowDevNotice},
    {kVega8,       "CORE次梁内力与配筋计算", kShowDevNotice},
    {kVega8,       "分析结果图形和文本显示", kShowDevNotice},
    {kVega8,       "新版程序说明与常见问题", kShowDevNotice},
};
// clang-format on

}  // namespace

std::span<const FlowRow> StructureFlowRows() {
    return kStructureRows;
}

int StructureItemFlow(std::string rowText) {
    return RunFirstMatchingRow(kStructureRows, rowText, LoadContext());
}

}  // namespace flows
