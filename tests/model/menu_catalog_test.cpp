// The catalogue model: adding rows, reading their parts, views and module titles.
#include "model/menu_catalog.h"
#include "model/split_row.h"

#include <gtest/gtest.h>

namespace {

using Tokens = std::vector<std::string>;
using Views = std::vector<std::string_view>;

TEST(MenuCatalogTest, AddRejectsOnlyTheSameRowUnderTheSameCaption) {
    MenuCatalog catalog;
    EXPECT_EQ(catalog.Add("C1", "K", "M|A", 1), 1);
    EXPECT_EQ(catalog.Add("C1", "K2", "M|A", 2), 0);
    EXPECT_EQ(catalog.Add("C2", "K", "M|A", 1), 1);
    EXPECT_EQ(catalog.Add("C1", "K", "M|A ", 1), 1);
    ASSERT_EQ(catalog.Count(), 3);
    EXPECT_EQ(catalog.ItemAt(1).Caption(), "C2");
    EXPECT_EQ(catalog.ItemAt(2).RowText(), "M|A ");
}

TEST(MenuCatalogTest, GetPartsSplitsTheWholeRow) {
    MenuCatalog catalog;
    catalog.Add(" 样例分析软件", "ZETA",
                "样例分析 ZETA|内力计算\t\t|RunExeFile|ZETA|ZetaCalc.exe -B", 4);
    std::string_view caption;
    std::string_view key;
    Views tokens;
    ASSERT_EQ(catalog.ItemAt(0).GetParts(caption, key, tokens), 1);
    EXPECT_EQ(caption, " 样例分析软件");
    EXPECT_EQ(key, "ZETA");
    EXPECT_EQ(tokens.size(), 5u);
    EXPECT_EQ(catalog.ItemAt(0).ModuleNumber(), 4);
}

// GetParts gives exactly SplitRow's tokens of the whole row, read after read, also for rows
// whose tokens are no stretch of the row (tabs inside), that have many tokens or that are long.
TEST(MenuCatalogTest, GetPartsGivesTheTokensOfSplitRow) {
    const std::string rows[] = {
        "M|A",
        "M|B\tC|BC",
        "|M||A|",
        "M|A\t\t|\t|x|y|z",
        "M\nA|B",
        "M| |A  |RunExeFile|K|p -x",
        "M|A|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15",
        "M|BC|B\tC",
        "\t\t|M|A",
        "M|" + std::string(20000, 'x') + "|RunExeFile|K|p",  // more than a block of the arena
    };
    MenuCatalog catalog;
    for (const std::string& row : rows) catalog.Add("C", "K", row, 1);
    Views tokens = {"left", "over", "from", "before"};
    for (int i = 0; i < catalog.Count(); ++i) {
        const std::string_view row = catalog.ItemAt(i).RowText();
        SCOPED_TRACE(row);
        Tokens expected;
        SplitRow(row.data(), row.size(), expected);
        std::string_view caption;
        std::string_view key;
        for (int read = 0; read < 2; ++read) {
            ASSERT_EQ(catalog.ItemAt(i).GetParts(caption, key, tokens), 1);
            EXPECT_EQ(Tokens(tokens.begin(), tokens.end()), expected);
        }
    }
}

TEST(MenuCatalogTest, GetPartsOfAnEmptyRowLeavesEverything) {
    MenuCatalog catalog;
    ASSERT_EQ(catalog.Add("C", "K", "", 1), 1);
    const MenuItem& item = catalog.ItemAt(0);
    std::string_view caption = "before";
    std::string_view key = "before";
    Views tokens = {"kept"};
    EXPECT_EQ(item.GetParts(caption, key, tokens), 0);
    EXPECT_EQ(caption, "before");
    EXPECT_EQ(key, "before");
    EXPECT_EQ(tokens, Views{"kept"});
}

TEST(MenuCatalogTest, CollectModuleTitlesInFirstAppearanceOrder) {
    MenuCatalog catalog;
    catalog.Add("C", "K", "B|1", 1);
    catalog.Add("C", "K", "A|1", 1);
    catalog.Add("C", "K", "B|2", 1);
    catalog.Add("C", "K", "b|3", 1);
    Tokens titles = {"stale"};
    EXPECT_EQ(catalog.CollectModuleTitles(titles), 3);
    EXPECT_EQ(titles, (Tokens{"B", "A", "b"}));
}

TEST(MenuCatalogTest, ViewBorrowsWithoutDeleting) {
    MenuCatalog catalog;
    catalog.Add("C", "K", "M|1", 1);
    catalog.Add("C", "K", "M|2", 1);
    {
        MenuCatalog view;
        view.Borrow(catalog, 1, 2);
        ASSERT_EQ(view.Count(), 1);
        EXPECT_EQ(&view.ItemAt(0), &catalog.ItemAt(1));
        view.Forget();
    }
    EXPECT_EQ(catalog.ItemAt(1).RowText(), "M|2");  // still alive after the view is gone
}

}  // namespace
