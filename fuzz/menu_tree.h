// The host's menu tree written back as menu-file text and flattened for comparison.
#ifndef TRUV_FUZZ_MENU_TREE_H
#define TRUV_FUZZ_MENU_TREE_H

#include <string>

#include "host/items/menu_file_reader.h"

namespace fuzz {

/// The menu file that reads as `tree`: blocks, modules, entries, sub-menus, the closing block.
std::string MenuFileText(const host::MenuTree& tree);

/// Every text of `tree` in order, with its kind, one per line: equal trees give equal texts.
std::string Flattened(const host::MenuTree& tree);

}  // namespace fuzz

#endif  // TRUV_FUZZ_MENU_TREE_H
