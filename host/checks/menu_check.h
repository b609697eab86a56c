// The check of "menu.txt" against the menu this plug-in writes: a file from an older version
// (the plug-in never rewrites an existing one), an empty, cut-short or unreadable file.
#ifndef TRUV_HOST_MENU_CHECK_H
#define TRUV_HOST_MENU_CHECK_H

#include <string>
#include <vector>

#include "host/checks/doctor.h"
#include "plugin/inspect.h"

class MenuCatalog;

namespace host {

struct MenuFileCheck {
    std::vector<std::string> facts;
    std::vector<Problem> problems;  ///< each says what it breaks and what to run
};

/// Compares the file `path` with the menu the plug-in writes for `catalog` and `bounds`: the
/// items the file lacks, the entries of the file that reach no row of `catalog` (nor the
/// drawing-management command), and a file that is missing, unreadable, empty, cut short or
/// not in the menu format.
MenuFileCheck CheckMenuFile(const std::string& path, const MenuCatalog& catalog,
                            const GroupBounds& bounds);

}  // namespace host

#endif  // TRUV_HOST_MENU_CHECK_H
