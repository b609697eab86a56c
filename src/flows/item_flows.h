// The chain of item flows that serve the catalogue rows without a command.
#ifndef TRUV_FLOWS_ITEM_FLOWS_H
#define TRUV_FLOWS_ITEM_FLOWS_H

#include <string>

/// Offers `rowText` to the seven item flows in chain order; 1 as soon as one handled it,
/// 0 when none did.
int RunItemFlows(const std::string& rowText);

// One item flow per menu group: 1 when the trimmed row text is one of its rows (whose steps
// then ran), else 0.
int SteelFlow(std::string rowText);
int MasonryFlow(std::string rowText);
int AppraisalFlow(std::string rowText);
int StructureFlow(std::string rowText);
int SpecialStructureFlow(std::string rowText);
int ArchitectureFlow(std::string rowText);
int ServicesFlow(std::string rowText);

#endif  // TRUV_FLOWS_ITEM_FLOWS_H
