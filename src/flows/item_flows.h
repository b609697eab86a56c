// The chain of item flows that serve the catalogue rows without a command.
#ifndef TRUV_FLOWS_ITEM_FLOWS_H
#define TRUV_FLOWS_ITEM_FLOWS_H

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "flows/flow_steps.h"

namespace flows {

/// The item flow of a group: takes its own copy of a row text; 1 when it recognised the row
/// and ran its steps, 0 when the row is none of its rows.
using ItemFlowRoutine = int (*)(std::string rowText);

/// One item flow per menu group: the group's caption, the rows it recognises, in comparison
/// order (none for the groups without command-less rows), and its routine, which walks them.
struct ItemFlow {
    std::string_view group;
    std::span<const FlowRow> (*rows)();
    ItemFlowRoutine run;
};

// The seven routines, each walking its group's table through the launcher of the load.
int SteelItemFlow(std::string rowText);
int MasonryItemFlow(std::string rowText);
int AppraisalItemFlow(std::string rowText);
int StructureItemFlow(std::string rowText);
int SpecialStructureItemFlow(std::string rowText);
int ArchitectureItemFlow(std::string rowText);
int ServicesItemFlow(std::string rowText);

/// What the routines run their steps with: the load's launcher and the notice text.
FlowContext LoadContext();

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

/// The notice of the analysis module in development, which the structure and masonry flows
/// show; one of the objects that live as long as the library (defined with them).
extern const std::string devNotice;

/// Offers a copy of `rowText` to each of the seven item flows in chain order; 1 as soon as one
/// returns 1 (its steps then ran), 0 when none does.
int RunItemFlows(const std::string& rowText);

#endif  // TRUV_FLOWS_ITEM_FLOWS_H
