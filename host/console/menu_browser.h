// The menu in a terminal: the printed tree, and the numbered menus a user walks through.
#ifndef TRUV_HOST_CONSOLE_MENU_BROWSER_H
#define TRUV_HOST_CONSOLE_MENU_BROWSER_H

#include <functional>
#include <string>

#include "host/items/item_find.h"
#include "host/items/menu_file_reader.h"
#include "host/platform/console_text.h"

namespace host {

/// Prints the whole tree: groups, modules (key, number, caption), entries and sub-menus,
/// each entry with its key.
void PrintTree(const MenuTree& tree, const Console& console);

/// What the numbered menus do besides showing themselves.
struct BrowseActions {
    std::function<void(const std::string& key)> runItem;
    /// The project folder, shown in every menu's header.
    std::function<std::string()> projectFolder;
    /// Changes the project folder; false with a reason for the user.
    std::function<bool(const std::string& folder, std::string& error)> changeFolder;
    /// What '/TEXT' searches; none: '/' finds nothing.
    const std::vector<FindableItem>* findable = nullptr;
    /// The keys of the recent picks, the latest first, for 'r'; none: 'r' lists nothing.
    std::function<std::vector<std::string>()> recentKeys;
};

/// Lets the user pick groups, modules, sub-menus and entries by number; '/TEXT' lists the
/// items that match TEXT to pick from, 'r' the recent picks, 'd' asks for a new project folder, 'b'
/// goes back, 'q' (or the end of the input) quits. A picked entry's key goes to `actions.runItem`.
void Browse(const MenuTree& tree, const Console& console, const BrowseActions& actions);

}  // namespace host

#endif  // TRUV_HOST_CONSOLE_MENU_BROWSER_H
