// A block of catalogue rows that share one caption, module key and module number.
#ifndef TRUV_CATALOGUE_MODULE_BLOCK_H
#define TRUV_CATALOGUE_MODULE_BLOCK_H

#include <span>
#include <string_view>

class MenuCatalog;

/// One block of a group builder's table. Every row becomes the `rowText` of one item,
/// verbatim: alignment tabs, trailing blanks and empty fields stay in it.
struct ModuleBlock {
    std::string_view caption;    ///< the software description; a leading blank belongs to it
    std::string_view moduleKey;  ///< 2 to 8 characters of A-Z, 0-9 and '-'
    int moduleNumber;            ///< carried into the menu file, never interpreted
    std::span<const std::string_view> rows;
};

/// Adds every row of every block, in order, with its block's caption, key and number.
/// Rows that `Add` rejects as duplicates are dropped.
void AddBlocks(MenuCatalog& catalog, std::span<const ModuleBlock> blocks);

#endif  // TRUV_CATALOGUE_MODULE_BLOCK_H
