// What a menu item would do, worked out from the catalogue and the flows without running it.
#ifndef TRUV_HOST_ITEMS_ITEM_PLAN_H
#define TRUV_HOST_ITEMS_ITEM_PLAN_H

#include <set>
#include <string>
#include <vector>

#include "plugin/inspect.h"

class MenuCatalog;
class MenuItem;

namespace host {

/// One program start that an item can make.
struct PlannedRun {
    const RunMode* mode = &kRunModes[0];  ///< the run operation and its rules
    std::string dirKey;                   ///< upper case; empty for the installation root
    std::string program;                  ///< the program text as the operation receives it
    std::string condition;  ///< for flows: the work-file tests that lead to this start
};

/// One line of a flow's explanation, indented by its depth in the branches.
struct PlanLine {
    int depth = 0;
    std::string text;
    bool isRun = false;
    PlannedRun run;  ///< when isRun
};

struct ItemPlan {
    std::string key;
    bool isFlow = false;
    bool flowKnown = false;              ///< a flow row recognises the item
    std::vector<std::string> offeredTo;  ///< the groups whose item flows see the row, in order
    std::string unknownVerbs;            ///< verbs RunTriple refuses, blank-separated
    std::vector<PlannedRun> runs;        ///< every start the item can make, all branches
    std::vector<PlanLine> lines;         ///< the flow's steps in order (flows only)
};

/// The key of an item: its first two tokens joined by '|'; empty for a row with fewer.
std::string KeyOf(const MenuItem& item);

/// The plan of one catalogue item.
ItemPlan PlanItem(const MenuItem& item);

/// The plan of the drawing-management key, which works without the catalogue.
ItemPlan ManagerPlan();

/// Plans of the items that RunCommand can reach, in catalogue order: of several rows with
/// one key only the first is ever found.
std::vector<ItemPlan> PlanCatalogue(const MenuCatalog& catalog);

/// A file that a start opens: a program, or a help document for the viewer.
struct StartedFile {
    std::string dirKey;  ///< empty: the installation root
    std::string name;    ///< as the program text names it (may hold '\\' sub-folders)
    bool document = false;
    auto operator<=>(const StartedFile&) const = default;
};

/// Every file that `plans` can start.
std::set<StartedFile> FilesStarted(const std::vector<ItemPlan>& plans);

}  // namespace host

#endif  // TRUV_HOST_ITEMS_ITEM_PLAN_H
