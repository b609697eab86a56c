// Reading "menu.txt" as a host does: groups, modules, entries, sub-menus and each item's key.
#ifndef TRUV_HOST_ITEMS_MENU_FILE_READER_H
#define TRUV_HOST_ITEMS_MENU_FILE_READER_H

#include <string>
#include <vector>

namespace host {

/// One entry a user can pick; `key` is what RunCommand receives.
struct MenuEntry {
    std::string title;  ///< the "app" text, trailing blanks kept
    std::string key;    ///< module title, '|', item title (sub-menu name '_' entry inside one)
};

/// A plain entry (one element in `entries`) or a sub-menu with its entries.
struct MenuNode {
    bool isSubMenu = false;
    std::string subMenu;  ///< the "menu" text of a sub-menu
    std::vector<MenuEntry> entries;
};

struct MenuModule {
    std::string title;  ///< token 0 of its rows: the first half of every key
    std::string moduleKey;
    int moduleNumber = 0;
    std::string caption;
    std::vector<MenuNode> nodes;
};

struct MenuGroupBlock {
    std::string title;
    std::vector<MenuModule> modules;
};

/// The menus of a file, without its closing block.
struct MenuTree {
    std::vector<MenuGroupBlock> groups;

    /// Every key in file order.
    std::vector<std::string> Keys() const;

    /// True when some entry has `key`.
    bool HasKey(const std::string& key) const;
};

/// The key of an item: `moduleTitle`, '|', and the entry, prefixed by "subMenu_" inside a
/// sub-menu.
std::string ItemKey(const std::string& moduleTitle, const MenuNode& node, const std::string& entry);

/// Parses the GBK bytes of a menu file (CR LF or LF line ends). False with `error` naming the
/// line and what was expected there when the file does not follow the format.
bool ParseMenuFile(const std::string& bytes, MenuTree& tree, std::string& error);

/// Reads and parses the file `path`; false with `error` also when it cannot be read.
bool ReadMenuFile(const std::string& path, MenuTree& tree, std::string& error);

}  // namespace host

#endif  // TRUV_HOST_ITEMS_MENU_FILE_READER_H
