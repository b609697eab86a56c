// The block tables of the seven menu groups, in the order the builders add them.
#ifndef TRUV_CATALOGUE_GROUP_TABLES_H
#define TRUV_CATALOGUE_GROUP_TABLES_H

#include <span>

#include "catalogue/module_block.h"

std::span<const ModuleBlock> ArchitectureBlocks();
std::span<const ModuleBlock> StructureBlocks();
std::span<const ModuleBlock> SteelBlocks();
/// `lyrInstalled` picks the prestressed block whose analysis rows run under "LYR" (true) or
/// under "LYR8" (false); the other blocks are the same either way.
std::span<const ModuleBlock> SpecialStructureBlocks(bool lyrInstalled);
std::span<const ModuleBlock> MasonryBlocks();
std::span<const ModuleBlock> AppraisalBlocks();
std::span<const ModuleBlock> ServicesBlocks();

#endif  // TRUV_CATALOGUE_GROUP_TABLES_H
