// The texts of the catalogue rows: lengths, blanks, tabs, keys, GBK bytes, the rows that the
// item flows serve, and the two editions of the prestressed block.
#include <algorithm>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "catalogue/builders.h"
#include "catalogue/catalogue_rows.h"
#include "catalogue/group_tables.h"
#include "flows/flow_rows.h"
#include "model/menu_catalog.h"
#include "model/menu_file.h"
#include "text/gbk_text.h"
#include "text/pinyin.h"

namespace {

/// Blanks at the end of `text`.
std::size_t TrailingBlanks(const std::string& text) {
    std::size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? text.size() : text.size() - last - 1;
}

class CatalogueText : public testing::TestWithParam<bool> {
protected:
    std::vector<CatalogueRow> rows = CatalogueRows(GetParam());
};

TEST_P(CatalogueText, RowAndTitleLengthsStayInRange) {
    std::size_t shortestRow = 1000, longestRow = 0, shortestTitle = 1000, longestTitle = 0;
    for (const CatalogueRow& row : rows) {
        shortestRow = std::min(shortestRow, row.text.size());
        longestRow = std::max(longestRow, row.text.size());
        shortestTitle = std::min(shortestTitle, row.Title().size());
        longestTitle = std::max(longestTitle, row.Title().size());
    }
    // The shortest rows are the frame module's flow rows, whose texts the steel flow fixes.
    EXPECT_GE(shortestRow, 15u);
    EXPECT_EQ(longestRow, 122u);
    EXPECT_EQ(shortestTitle, 4u);
    EXPECT_EQ(longestTitle, 49u);
}

TEST_P(CatalogueText, TrailingBlanksBelongToTheTitleAndKeysStayDistinct) {
    std::map<std::size_t, int> titlesByBlanks;
    std::set<std::string> keys, trimmedKeys;
    std::set<std::pair<std::string, std::string>> rowsUnderCaption;
    for (const CatalogueRow& row : rows) {
        ++titlesByBlanks[TrailingBlanks(row.Title())];
        EXPECT_EQ(row.Module(), gbk::Trim(row.Module())) << row.text;
        EXPECT_NE(row.Title().front(), ' ') << row.text;
        EXPECT_TRUE(keys.insert(row.Module() + "|" + row.Title()).second) << row.text;
        EXPECT_TRUE(trimmedKeys.insert(row.Module() + "|" + gbk::Trim(row.Title())).second)
            << row.text;
        EXPECT_TRUE(rowsUnderCaption.insert({row.caption, row.text}).second) << row.text;
    }
    EXPECT_EQ(titlesByBlanks, (std::map<std::size_t, int>{{0, 307}, {1, 12}, {3, 2}}));
}

TEST_P(CatalogueText, AlignmentTabsFollowTheItemTitleOnly) {
    std::map<std::size_t, int> commandRowsByTabs;
    int flowRowsWithTabs = 0;
    for (const CatalogueRow& row : rows) {
        std::string head = row.Module() + "|" + row.Title();
        ASSERT_EQ(row.text.compare(0, head.size(), head), 0) << row.text;
        std::size_t afterTabs = row.text.find_first_not_of('\t', head.size());
        std::size_t tabs =
            (afterTabs == std::string::npos ? row.text.size() : afterTabs) - head.size();
        std::string rest = row.text.substr(head.size() + tabs);
        EXPECT_EQ(rest.find('\t'), std::string::npos) << row.text;
        if (row.HasCommand()) {
            EXPECT_EQ(rest.front(), '|') << row.text;
            ++commandRowsByTabs[tabs];
        } else {
            EXPECT_TRUE(rest.empty()) << row.text;
            flowRowsWithTabs += tabs > 0;
            if (tabs > 0) {
                EXPECT_EQ(tabs, 2u);
                EXPECT_EQ(row.Title(), "生成FLAT数据");
            }
        }
    }
    EXPECT_EQ(flowRowsWithTabs, 1);
    EXPECT_EQ(commandRowsByTabs[0], 12);
    EXPECT_EQ(commandRowsByTabs.begin()->first, 0u);
    EXPECT_EQ(commandRowsByTabs.rbegin()->first, 8u);
    int tabbed = 0;
    for (const auto& [tabs, count] : commandRowsByTabs) {
        tabbed += tabs > 0 ? count : 0;
    }
    EXPECT_EQ(tabbed, 271);
}

TEST_P(CatalogueText, OneRowHoldsAnEmptyFieldThatSplittingIgnores) {
    std::vector<CatalogueRow> withEmptyField;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(withEmptyField),
                 [](const CatalogueRow& row) { return row.text.find("||") != std::string::npos; });
    ASSERT_EQ(withEmptyField.size(), 1u);
    EXPECT_EQ(withEmptyField[0].group, 2);
    EXPECT_EQ(withEmptyField[0].tokens.size(), 5u);
}

TEST_P(CatalogueText, NoDoubleByteCharacterHidesABarOrALineBreak) {
    for (const CatalogueRow& row : rows) {
        for (std::size_t i = 0; i < row.text.size(); ++i) {
            if (gbk::IsLeadByte(row.text[i]) && i + 1 < row.text.size()) {
                char trail = row.text[++i];
                EXPECT_NE(trail, '|') << row.text;
                EXPECT_NE(trail, '\n') << row.text;
                EXPECT_NE(trail, '\t') << row.text;
            }
        }
    }
}

/// The texts that the item flows recognise, in catalogue groups.
std::map<int, std::multiset<std::string>> FlowTexts() {
    std::map<int, std::multiset<std::string>> texts;
    auto add = [&](int group, std::span<const flows::FlowRow> flowRows) {
        for (const flows::FlowRow& row : flowRows) {
            texts[group].insert(flows::RowText(row));
        }
    };
    add(1, flows::ArchitectureFlowRows());
    add(2, flows::StructureFlowRows());
    add(3, flows::SteelFlowRows());
    add(4, flows::SpecialStructureFlowRows());
    add(5, flows::MasonryFlowRows());
    return texts;
}

TEST_P(CatalogueText, EveryRowWithoutACommandIsAFlowTextOfItsGroup) {
    std::map<int, std::multiset<std::string>> catalogued;
    int vegaRows = 0;
    for (const CatalogueRow& row : rows) {
        if (row.HasCommand()) {
            continue;
        }
        catalogued[row.group].insert(gbk::Trim(row.text));
        if (row.Module() == "VEGA" || row.Module() == "VEGA-8") {
            ++vegaRows;
            EXPECT_EQ(TrailingBlanks(row.text), 1u) << row.text;
        }
    }
    EXPECT_EQ(catalogued, FlowTexts());
    EXPECT_EQ(vegaRows, 11);
}

TEST(CataloguePrestressedEditions, DifferOnlyInTheAnalysisRowsDirectoryKey) {
    std::span<const ModuleBlock> lyr = SpecialStructureBlocks(true);
    std::span<const ModuleBlock> lyr8 = SpecialStructureBlocks(false);
    ASSERT_EQ(lyr.size(), lyr8.size());
    std::vector<int> differing;
    for (std::size_t b = 0; b < lyr.size(); ++b) {
        EXPECT_EQ(lyr[b].caption, lyr8[b].caption);
        EXPECT_EQ(lyr[b].moduleKey, lyr8[b].moduleKey);
        EXPECT_EQ(lyr[b].moduleNumber, lyr8[b].moduleNumber);
        ASSERT_EQ(lyr[b].rows.size(), lyr8[b].rows.size());
        for (std::size_t r = 0; r < lyr[b].rows.size(); ++r) {
            std::string a(lyr[b].rows[r]), b8(lyr8[b].rows[r]);
            if (a == b8) {
                continue;
            }
            EXPECT_EQ(b, 1u) << "only the prestressed block differs";
            differing.push_back(static_cast<int>(r) + 1);
            std::size_t at = a.find("|LYR|");
            ASSERT_NE(at, std::string::npos) << a;
            EXPECT_EQ(a.substr(0, at) + "|LYR8|" + a.substr(at + 5), b8);
        }
    }
    EXPECT_EQ(differing, (std::vector<int>{2, 3, 7, 8}));
}

INSTANTIATE_TEST_SUITE_P(BothPrestressedEditions, CatalogueText, testing::Bool(),
                         PrestressedEditionName);

}  // namespace

// Every Chinese character of the menu (groups, modules, captions, items) has a pinyin
// initial, and each of the few second-level characters in the table is one that it uses.
TEST(CataloguePinyin, EveryCharacterOfTheMenuHasAnInitial) {
    MenuCatalog catalog;
    const std::string text = MenuFileText(catalog, BuildMenuGroups(catalog));
    std::set<std::string> unknown;
    std::set<std::string> secondLevel;
    for (std::size_t pos = 0; pos < text.size(); pos += gbk::CharLength(text, pos)) {
        if (gbk::CharLength(text, pos) != 2) continue;
        const auto lead = static_cast<unsigned char>(text[pos]);
        const char initial = gbk::PinyinInitial(lead, static_cast<unsigned char>(text[pos + 1]));
        if (initial == gbk::kUnknownInitial) unknown.insert(text.substr(pos, 2));
        if (initial != '\0' && initial != gbk::kUnknownInitial && lead >= 0xD8) {
            secondLevel.insert(text.substr(pos, 2));
        }
    }
    EXPECT_TRUE(unknown.empty()) << *unknown.begin();
    EXPECT_EQ(secondLevel, (std::set<std::string>{"桁", "檩", "浏", "渲", "砼"}));
}
