// The window host's menus as data: the menu bar that "menu.txt" describes, with a command
// number for every entry, built once and turned into real menus by the Windows half.
#ifndef TRUV_HOST_WINDOW_WINDOW_MENU_H
#define TRUV_HOST_WINDOW_WINDOW_MENU_H

#include <string>
#include <vector>

#include "host/items/menu_file_reader.h"

namespace host {

/// Command numbers of the window's own commands and of the first menu entry; entry i of the
/// file (in file order) has kFirstEntryCommand + i.
inline constexpr unsigned kChangeFolderCommand = 100;
inline constexpr unsigned kExitCommand = 101;
inline constexpr unsigned kFirstEntryCommand = 1000;

/// A menu item: a submenu (children, no command) or an entry (a command, no children).
struct MenuBarItem {
    std::string label;    ///< the text as the menu shows it ('&' doubled)
    std::string caption;  ///< a module's caption, for the status bar; else empty
    std::string key;      ///< an entry's key; else empty
    unsigned command = 0;
    std::vector<MenuBarItem> children;
};

/// The menu bar: one submenu per group; in it one per module (its title); in it the entries
/// and, for sub-menu runs, nested submenus; all in file order.
std::vector<MenuBarItem> BuildMenuBar(const MenuTree& tree);

/// A text as a menu label: '&' would underline the next character, so it is doubled.
std::string MenuLabel(const std::string& text);

}  // namespace host

#endif  // TRUV_HOST_WINDOW_WINDOW_MENU_H
