// Finding an item by typing: a part of its title, of its module's title or key, of a program
// it starts, or the pinyin initials of its titles (jzpmt for 建筑平面图).
#ifndef TRUV_HOST_ITEMS_ITEM_FIND_H
#define TRUV_HOST_ITEMS_ITEM_FIND_H

#include <string>
#include <vector>

#include "host/items/menu_file_reader.h"
#include "host/platform/console_text.h"
#include "plugin/inspect.h"

namespace host {

/// Separates the steps of a found item's path: group > module > (sub-menu >) item.
inline constexpr const char* kPathStep = " > ";

/// A menu entry with what a query is matched against.
struct FindableItem {
    std::string path;                   ///< where the menus show it
    std::string key;                    ///< for RunCommand, `run`, `explain`, `trace --key`
    std::vector<std::string> texts;     ///< title, module title, module key, program names
    std::vector<std::string> initials;  ///< of the title and of the module title
};

/// Every entry of `tree`, in file order, with the programs that the catalogue's item of the
/// same key starts (none when the catalogue has no such key).
std::vector<FindableItem> FindableItems(const MenuTree& tree, const MenuCatalog& catalog);

/// The same with the catalogue compiled into the host.
std::vector<FindableItem> FindableItems(const MenuTree& tree);

/// True when one of `item`'s texts holds `query` (trimmed; ASCII letters in any case) on a
/// character boundary, or when `query` is ASCII letters and digits only and one of its
/// initials holds it. An empty query matches nothing.
bool MatchesQuery(const FindableItem& item, const std::string& query);

/// The items that match `query`, in file order.
std::vector<const FindableItem*> FindItems(const std::vector<FindableItem>& items,
                                           const std::string& query);

/// `truvhost find TEXT`: the entries of `tree` that match `text`, with their keys, on
/// `console`. kExitProblem when none matches.
int FindCommand(const Console& console, const MenuTree& tree, const std::string& text);

}  // namespace host

#endif  // TRUV_HOST_ITEMS_ITEM_FIND_H
