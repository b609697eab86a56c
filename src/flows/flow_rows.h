// The recognised rows of each item flow, in comparison order, for checks against the catalogue.
#ifndef TRUV_FLOWS_FLOW_ROWS_H
#define TRUV_FLOWS_FLOW_ROWS_H

#include <span>

#include "flows/flow_steps.h"

namespace flows {

std::span<const FlowRow> SteelFlowRows();
std::span<const FlowRow> MasonryFlowRows();
std::span<const FlowRow> StructureFlowRows();
std::span<const FlowRow> SpecialStructureFlowRows();
std::span<const FlowRow> ArchitectureFlowRows();

}  // namespace flows

#endif  // TRUV_FLOWS_FLOW_ROWS_H
