// The chain of item flows.
#include "flows/item_flows.h"

#include "flows/flow_rows.h"

namespace flows {

namespace {

/// The appraisal and services groups have no command-less rows: their flows recognise none.
std::span<const FlowRow> NoRows() {
    return {};
}

// clang-format off
constexpr ItemFlow kFlowChain[] = {
    {"[钢结构]",   SteelFlowRows,            SteelItemFlow},
    {"[砌体结构]", MasonryFlowRows,          MasonryItemFlow},
    {"[鉴定加固]", NoRows,                   AppraisalItemFlow},
    {"[结  构]",   StructureFlowRows,        StructureItemFlow},
    {"[特种结构]", SpecialStructureFlowRows, SpecialStructureItemFlow},
    {"[建  筑]",   ArchitectureFlowRows,     ArchitectureItemFlow},
    {"[设  备]",   NoRows,                   ServicesItemFlow},
};
// clang-format on

}  // namespace

FlowContext LoadContext() {
    return {TheLauncher(), devNotice};
}

int AppraisalItemFlow(std::string rowText) {
    return RunFirstMatchingRow(NoRows(), rowText, LoadContext());
}

int ServicesItemFlow(std::string rowText) {
    return RunFirstMatchingRow(NoRows(), rowText, LoadContext());
}

std::span<const ItemFlow> FlowChain() {
    return kFlowChain;
}

FlowPlan PlanItemFlows(const std::string& rowText, const PlanContext& context) {
    FlowPlan plan;
    for (const ItemFlow& flow : kFlowChain) {
        plan.offeredTo.push_back(flow.group);
        const FlowRow* row = FindRow(flow.rows(), rowText);
        if (row == nullptr) continue;
        plan.handled = true;
        plan.steps = PlanSteps(row->steps, row->args, context);
        break;
    }
    return plan;
}

}  // namespace flows

int RunItemFlows(const std::string& rowText) {
    for (const flows::ItemFlow& flow : flows::FlowChain()) {
        if (flow.run(rowText) == 1) return 1;
    }
    return 0;
}
