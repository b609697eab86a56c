// The chain of item flows that serve the catalogue rows without a command.
#ifndef TRUV_FLOWS_ITEM_FLOWS_H
#define TRUV_FLOWS_ITEM_FLOWS_H

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "flows/flow_steps.h"

namespace flows {

/// One item flow per menu group: the group's caption and the rows it recognises, in
/// comparison order (none for the groups without command-less rows).
struct ItemFlow {
    std::string_view group;
    std::span<const FlowRow> (*rows)();
};

/// The seven item flows in chain order, which is not the order in which the groups are
/// built or shown.
std::span<const ItemFlow> FlowChain();

/// What the chain would do with a row, worked out without touching the system.
struct FlowPlan {
    std::vector<std::string_view> offeredTo;  ///< the groups whose flows see the row, in order
    bool handled = false;                     ///< the last of them recognises it
    std::vector<PlannedStep> steps;           ///< its steps, every branch (PlanSteps)
};

/// The plan of `rowText` through the chain.
FlowPlan PlanItemFlows(const std::string& rowText, const PlanContext& context);

}  // namespace flows

/// Offers `rowText` to the seven item flows in chain order; 1 as soon as one recognised it
/// (its steps then ran), 0 when none did.
int RunItemFlows(const std::string& rowText, const flows::FlowContext& context);

#endif  // TRUV_FLOWS_ITEM_FLOWS_H
