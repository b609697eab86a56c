// The two functions the host calls.
#ifndef TRUV_CORE_ENTRY_H
#define TRUV_CORE_ENTRY_H

#include "core/menu_file.h"

class MenuCatalog;

/// Runs the seven group builders on `catalog` in menu order and records the item count after
/// each: the group boundaries.
GroupBounds BuildMenuGroups(MenuCatalog& catalog);

/// Builds the catalogue, writes "menu.txt" beside the host's executable unless it exists, and
/// returns the constant text "CFG".
const char* InitTruvApp();

/// Records the current directory as the project directory and carries out the item of `key`
/// (module title, '|', item title). A null key counts as the empty key.
void RunCommand(char* key);

#endif  // TRUV_CORE_ENTRY_H
