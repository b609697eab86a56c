// The item flow of the steel-structure group: the frame sub-menu of the steel module.
#include "flows/flow_rows.h"
#include "flows/item_flows.h"
#include "flows/shared_sequences.h"

namespace flows {

namespace {

constexpr DirKey kSteelKey{"IRON"};

constexpr char kFrameModule[] = "框架";

/// Sends the user to the analysis modules.
constexpr Step kAnalysisRedirect[] = {ShowText("请您运行VEGA、LYRA或ORION模块")};

// clang-format off
constexpr FlowRow kSteelRows[] = {
    {kFrameModule, "三维模型与荷载输入",    kContinuation,     {kSteelKey, "Modelin.exe", "Stage3.exe -PASS -IRON"}},
    {kFrameModule, "VEGA、LYRA或ORION计算", kAnalysisRedirect},
    {kFrameModule, "结构三维线框透视图",    kWireframe,        {kSteelKey}},
    {kFrameModule, "形成FLAT文件",          kForming,          {kSteelKey, "Stage4.exe -IRON", "FlatIn.exe -KJ"}},
};
// clang-format on

}  // namespace

std::span<const FlowRow> SteelFlowRows() {
    return kSteelRows;
}

int SteelItemFlow(std::string rowText) {
    return RunFirstMatchingRow(kSteelRows, rowText, LoadContext());
}

}  // namespace flows
