// The check of "menu.txt" against the menu this plug-in writes: a file from an older version
// (the plug-in never rewrites an existing one), an empty, cut-short or unreadable file.
#ifndef TRUV_HOST_CHECKS_MENU_CHECK_H
#define TRUV_HOST_CHECKS_MENU_CHECK_H

#include <string>
#include <vector>

#include "host/checks/doctor.h"
#include "host/platform/console_text.h"
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

/// `truvhost menu [--refresh] [DIR]`, `arguments` and `paths` being what follows "menu" (the
/// same words as texts and as path names): the check of DIR's "menu.txt" (by default the one
/// beside truvhost, where the plug-in writes it for this host), or its refresh, on `console`.
/// kExitUsage for arguments of another form, kExitProblem for a problem found or met.
int MenuCommand(const Console& console, const std::vector<std::string>& arguments,
                const std::vector<std::string>& paths);

}  // namespace host

#endif  // TRUV_HOST_CHECKS_MENU_CHECK_H
