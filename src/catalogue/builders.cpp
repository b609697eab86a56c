// The seven group builders in menu order.
#include "catalogue/builders.h"

#include "model/menu_catalog.h"

// clang-format off
const GroupBuilder kGroupBuilders[kGroupCount] = {
    BuildArchitectureGroup,
    BuildStructureGroup,
    BuildSteelGroup,
    BuildSpecialStructureGroup,
    BuildMasonryGroup,
    BuildAppraisalGroup,
    BuildServicesGroup,
};
// clang-format on

GroupBounds BuildMenuGroups(MenuCatalog& catalog) {
    GroupBounds bounds;
    for (int group = 0; group < kGroupCount; ++group) {
        kGroupBuilders[group](catalog);
        bounds.groupStart[group + 1] = catalog.Count();
    }
    return bounds;
}
