// The seven group builders, which fill the catalogue group by group in menu order.
#ifndef TRUV_CATALOGUE_BUILDERS_H
#define TRUV_CATALOGUE_BUILDERS_H

#include "model/menu_file.h"

class MenuCatalog;

// One builder per menu group: each adds its group's rows through MenuCatalog::Add.
void BuildArchitectureGroup(MenuCatalog& catalog);
void BuildStructureGroup(MenuCatalog& catalog);
void BuildSteelGroup(MenuCatalog& catalog);
/// Asks "CFGPATH" whether the "LYR" key exists to choose the prestressed block's variant.
void BuildSpecialStructureGroup(MenuCatalog& catalog);
void BuildMasonryGroup(MenuCatalog& catalog);
void BuildAppraisalGroup(MenuCatalog& catalog);
void BuildServicesGroup(MenuCatalog& catalog);

using GroupBuilder = void (*)(MenuCatalog&);

/// The builders in menu order, the order of kGroupTitles.
extern const GroupBuilder kGroupBuilders[kGroupCount];

/// Runs the seven group builders on `catalog` in menu order and records the item count after
/// each: the group boundaries.
GroupBounds BuildMenuGroups(MenuCatalog& catalog);

#endif  // TRUV_CATALOGUE_BUILDERS_H
