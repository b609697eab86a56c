// The item flow of the special-structure group: the prestressed row and the wall-reinforcement
// row of the cellular foundation.
#include "flows/flow_rows.h"
#include "flows/item_flows.h"
#include "flows/shared_sequences.h"

namespace flows {

namespace {

constexpr DirKey kPrestressedKey{"TEND"};
constexpr DirKey kFoundationKey{"TUB"};

// clang-format off

/// The wall-reinforcement sequence: five runs and one deletion, unconditionally; the wall
/// files of the first pass are removed before the second.
constexpr Step kWallReinforcement[] = {
    Run(kRunExeFileNor, kFoundationKey, "TUB72.exe"),
    Run(kRunExeFileNor, kFoundationKey, "WALLRF.exe -1 -TUB"),
    Run(kRunExeFileNor, kFoundationKey, "TUB73.exe"),
    Delete("$wat*.tub"),
    Run(kRunExeFileNor, kFoundationKey, "WALLRF.exe -2 -TUB"),
    Run(kRunExeFileNor, kFoundationKey, "TUB82.exe -TMP"),
};

constexpr FlowRow kSpecialStructureRows[] = {
    {"预应力砼结构三维设计 TEND", "形成二维框架连续梁数据文件", kForming,           {kPrestressedKey, "Stage4.exe -TND", "TendChk.exe"}},
    {"箱形基础设计 TUB",          "墙体配筋选择",               kWallReinforcement},
};

// clang-format on

}  // namespace

std::span<const FlowRow> SpecialStructureFlowRows() {
    return kSpecialStructureRows;
}

int SpecialStructureItemFlow(std::string rowText) {
    return RunFirstMatchingRow(kSpecialStructureRows, rowText, LoadContext());
}

}  // namespace flows
