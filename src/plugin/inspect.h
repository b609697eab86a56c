// The plug-in as the tools outside it see it: the reference hosts, the stand-in suite and
// the benchmarks include of the plug-in this header for what it knows and os/os.h for the
// system seam, and no other. It gathers the layers' headers that describe the catalogue (its
// builders, items and rows, the menu file and how it is written, the keys), the run rules and
// the installation, the flows' plan, the launch trace's format and the text rules, each of
// them used by a tool, and answers the few questions that only the top layer can.
#ifndef TRUV_PLUGIN_INSPECT_H
#define TRUV_PLUGIN_INSPECT_H

#include <string>

#include "catalogue/builders.h"
#include "flows/item_flows.h"
#include "launch/command_line.h"
#include "launch/install_paths.h"
#include "launch/run_rules.h"
#include "model/menu_catalog.h"
#include "model/menu_file.h"
#include "model/menu_item.h"
#include "model/menu_key.h"
#include "model/split_row.h"
#include "model/trace.h"
#include "model/trace_line.h"
#include "os/atomic_file.h"
#include "plugin/item_rows.h"
#include "text/gbk_text.h"
#include "text/pinyin.h"

namespace inspect {

/// The registry root key that a row's directory key "CFG" stands for, as the loaded
/// plug-in's launcher holds it.
const std::string& RootKey();

/// What the item flows are planned with: the root key and the notice some of them show, as
/// the dispatcher hands them when it runs a flow.
flows::PlanContext FlowPlanContext();

}  // namespace inspect

#endif  // TRUV_PLUGIN_INSPECT_H
