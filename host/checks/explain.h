// What an item would do, told without starting anything.
#ifndef TRUV_HOST_CHECKS_EXPLAIN_H
#define TRUV_HOST_CHECKS_EXPLAIN_H

#include <string>
#include <vector>

#include "host/checks/installation.h"
#include "host/items/item_plan.h"
#include "host/platform/console_text.h"

namespace host {

/// Lines (GBK) telling what `plan` would do in `workDir` with `installation`: each command
/// line, the working directory, the "PATH" change, and for a flow the work files it tests
/// and the branches they open.
std::vector<std::string> ExplainPlan(const ItemPlan& plan, const Installation& installation,
                                     const std::string& workDir);

/// `truvhost explain KEY`: what the item the plug-in finds for `key` (as RunCommand finds it)
/// would do in the current directory, on `console`. kExitProblem when no item has the key.
int ExplainCommand(const Console& console, const std::string& key);

}  // namespace host

#endif  // TRUV_HOST_CHECKS_EXPLAIN_H
