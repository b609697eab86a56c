// The menu in a terminal: the printed tree, and the numbered menus a user walks through.
#ifndef TRUV_HOST_MENU_BROWSER_H
#define TRUV_HOST_MENU_BROWSER_H

#include <functional>
#include <string>

#include "host/console_text.h"
#include "host/menu_file_reader.h"

namespace host {

/// Prints the whole tree: groups, modules (key, number, caption), entries and sub-menus,
/// each entry with its key.
void PrintTree(const MenuTree& tree, const Console& console);

/// Lets the user pick groups, modules, sub-menus and entries by number; 'b' goes back, 'q'
/// (or the end of the input) quits. A picked entry's key goes to `runItem`.
void Browse(const MenuTree& tree, const Console& console,
            const std::function<void(const std::string&)>& runItem);

}  // namespace host

#endif  // TRUV_HOST_MENU_BROWSER_H
