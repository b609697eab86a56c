// Adds the rows of block tables to a catalogue.
#include "catalogue/module_block.h"

#include <string>

#include "model/menu_catalog.h"

void AddBlocks(MenuCatalog& catalog, std::span<const ModuleBlock> blocks) {
    for (const ModuleBlock& block : blocks) {
        for (std::string_view row : block.rows) {
            catalog.Add(block.caption, block.moduleKey, row, block.moduleNumber);
        }
    }
}
