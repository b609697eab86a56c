// The catalogue's rows as the tests read them: each with its group, block and tokens.
#ifndef TRUV_TESTS_CATALOGUE_CATALOGUE_ROWS_H
#define TRUV_TESTS_CATALOGUE_CATALOGUE_ROWS_H

#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/module_block.h"
#include "model/menu_file.h"

/// One command triple of a row, as SplitRow yields it.
struct Triple {
    std::string verb;
    std::string dirKey;
    std::string program;
};

/// One row of the catalogue with the position it was added from.
struct CatalogueRow {
    int group;  ///< 1..7 in building order
    int block;  ///< 1-based within the group
    std::string caption;
    std::string moduleKey;
    int moduleNumber;
    std::string text;
    std::vector<std::string> tokens;
    std::vector<Triple> triples;

    const std::string& Module() const { return tokens[0]; }
    const std::string& Title() const { return tokens[1]; }
    bool HasCommand() const { return tokens.size() != 2; }
    /// The triples after the item title joined by '|', upper-cased: equal for equal commands.
    std::string CommandKey() const;
};

/// The blocks of group `group` (1..7); `lyrInstalled` picks group 4's prestressed variant.
std::span<const ModuleBlock> GroupBlocks(int group, bool lyrInstalled);

/// Every row of the seven groups, in building order.
std::vector<CatalogueRow> CatalogueRows(bool lyrInstalled);

/// The rows of one group.
std::vector<CatalogueRow> GroupRows(const std::vector<CatalogueRow>& rows, int group);

/// The module titles of `rows` in order of first appearance.
std::vector<std::string> ModuleTitles(const std::vector<CatalogueRow>& rows);

bool EndsWith(const std::string& text, const std::string& tail);

/// The program's file name: the program text up to its first blank.
std::string ProgramName(const std::string& program);

/// The program's arguments: the blank-separated words after the file name.
std::vector<std::string> ProgramArguments(const std::string& program);

/// Names the parameter of the tests that run for both prestressed editions.
std::string PrestressedEditionName(const testing::TestParamInfo<bool>& edition);

#endif  // TRUV_TESTS_CATALOGUE_CATALOGUE_ROWS_H
