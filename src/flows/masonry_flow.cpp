// The item flow of the masonry group: the VEGA notice rows and the 2D frame data row.
#include "flows/flow_rows.h"
#include "flows/item_flows.h"
#include "flows/shared_sequences.h"

namespace flows {

namespace {

constexpr DirKey kMasonryKey{"BRIK"};

constexpr char kBottomFrame3D[] = "底框-抗震墙结构三维分析";
constexpr char kBottomFrame2D[] = "底框及连续梁结构二维分析";

// clang-format off
constexpr FlowRow kMasonryRows[] = {
    {kBottomFrame3D, "生成VEGA数据",       kShowDevNotice},
    {kBottomFrame3D, "VEGA内力及配筋计算", kShowDevNotice},
    {kBottomFrame3D, "VEGA计算结果显示",   kShowDevNotice},
    {kBottomFrame2D, "生成FLAT数据",       kForming,       {kMasonryKey, "Stage4.exe  -BK", "EXECMGR.exe 310 2"}},
};
// clang-format on

}  // namespace

std::span<const FlowRow> MasonryFlowRows() {
    return kMasonryRows;
}

int MasonryItemFlow(std::string rowText) {
    return RunFirstMatchingRow(kMasonryRows, rowText, LoadContext());
}

}  // namespace flows
