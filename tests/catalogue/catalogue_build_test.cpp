// The seven builders fill a catalogue with the rows of their tables, group after group.
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "catalogue/builders.h"
#include "catalogue/catalogue_rows.h"
#include "launch/install_paths.h"
#include "model/menu_catalog.h"

namespace {

/// Runs the seven builders in order; the item count after each.
std::vector<int> BuildAll(MenuCatalog& catalog) {
    std::vector<int> counts;
    for (GroupBuilder builder : kGroupBuilders) {
        builder(catalog);
        counts.push_back(catalog.Count());
    }
    return counts;
}

TEST(CatalogueBuilders, RecordTheGroupBoundariesOnAnEmptyCatalogue) {
    MenuCatalog catalog;
    EXPECT_EQ(BuildAll(catalog), (std::vector<int>{17, 107, 158, 196, 231, 253, 321}));
}

TEST(CatalogueBuilders, AddEveryTableRowVerbatimWithItsBlockValues) {
    MenuCatalog catalog;
    BuildAll(catalog);
    std::vector<CatalogueRow> rows = CatalogueRows(CfgPathHasKey("LYR"));
    ASSERT_EQ(catalog.Count(), static_cast<int>(rows.size()));
    for (int i = 0; i < catalog.Count(); ++i) {
        const MenuItem& item = catalog.ItemAt(i);
        EXPECT_EQ(item.RowText(), rows[i].text) << "position " << i;
        EXPECT_EQ(item.Caption(), rows[i].caption) << "position " << i;
        EXPECT_EQ(item.ModuleKey(), rows[i].moduleKey) << "position " << i;
        EXPECT_EQ(item.ModuleNumber(), rows[i].moduleNumber) << "position " << i;
    }
}

TEST(CatalogueBuilders, BuildingAgainAddsNothing) {
    MenuCatalog catalog;
    BuildAll(catalog);
    EXPECT_EQ(BuildAll(catalog), std::vector<int>(kGroupCount, 321));
}

/// Shows a row with its tabs as "\t", for a reader.
std::string Visible(const std::string& text) {
    std::string shown;
    for (char c : text) {
        shown += c == '\t' ? std::string("\\t") : std::string(1, c);
    }
    return shown;
}

// Prints the whole catalogue in GBK when TRUV_PRINT_CATALOGUE is set, for instance:
//   TRUV_PRINT_CATALOGUE=1 catalogue_tests --gtest_filter='*Listing*' | iconv -f GBK -t UTF-8
TEST(CatalogueListing, ListsEveryRowUnderItsBlock) {
    bool print = std::getenv("TRUV_PRINT_CATALOGUE") != nullptr;
    int listed = 0;
    for (int group = 1; group <= kGroupCount; ++group) {
        for (const ModuleBlock& block : GroupBlocks(group, CfgPathHasKey("LYR"))) {
            if (print) {
                std::printf("== group %d: \"%.*s\" %.*s %d\n", group,
                            static_cast<int>(block.caption.size()), block.caption.data(),
                            static_cast<int>(block.moduleKey.size()), block.moduleKey.data(),
                            block.moduleNumber);
            }
            for (std::string_view row : block.rows) {
                ++listed;
                if (print) {
                    std::printf("   [%s]\n", Visible(std::string(row)).c_str());
                }
            }
        }
    }
    EXPECT_EQ(listed, 321);
}

}  // namespace
