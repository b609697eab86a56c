// The chain of item flows, and the two flows whose groups have no command-less rows.
#include "flows/item_flows.h"

#include "text/gbk_text.h"

namespace {

using ItemFlow = int (*)(std::string rowText);

/// Chain order; it is not the order in which the groups are built or shown.
// clang-format off
constexpr ItemFlow kFlowChain[] = {
    SteelFlow,             // "[钢结构]"
    MasonryFlow,           // "[砌体结构]"
    AppraisalFlow,         // "[鉴定加固]"
    StructureFlow,         // "[结  构]"
    SpecialStructureFlow,  // "[特种结构]"
    ArchitectureFlow,      // "[建  筑]"
    ServicesFlow,          // "[设  备]"
};
// clang-format on

}  // namespace

int RunItemFlows(const std::string& rowText) {
    for (ItemFlow flow : kFlowChain) {
        if (flow(rowText) == 1) return 1;
    }
    return 0;
}

int AppraisalFlow(std::string rowText) {
    rowText = gbk::Trim(rowText);
    return 0;
}

int ServicesFlow(std::string rowText) {
    rowText = gbk::Trim(rowText);
    return 0;
}
