// The shape of the catalogue: groups, blocks, modules, captions, keys and sub-menus, computed
// from the rows for both editions of the prestressed block.
#include <algorithm>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "catalogue/catalogue_rows.h"

namespace {

struct GroupShape {
    int blocks, modules, rows, commandRows, flowRows, twoTripleRows, documentRows, emptyFieldRows,
        subMenuRows, subMenus, dirKeys, argumentRows;
    bool operator==(const GroupShape&) const = default;
};

std::ostream& operator<<(std::ostream& out, const GroupShape& s) {
    return out << s.blocks << " blocks, " << s.modules << " modules, " << s.rows << " rows, "
               << s.commandRows << " command, " << s.flowRows << " flow, " << s.twoTripleRows
               << " two-triple, " << s.documentRows << " .chm, " << s.emptyFieldRows
               << " empty field, " << s.subMenuRows << " sub-menu rows in " << s.subMenus << ", "
               << s.dirKeys << " dir keys, " << s.argumentRows << " with arguments";
}

// clang-format off
constexpr GroupShape kExpectedGroups[kGroupCount] = {
    {3,  3,  17, 3,  14, 0, 0, 0, 0,  0, 3,  0},
    {14, 14, 90, 76, 14, 2, 1, 1, 4,  1, 15, 27},
    {2,  8,  51, 47, 4,  0, 1, 0, 0,  0, 4,  30},
    {5,  6,  38, 36, 2,  1, 0, 0, 4,  2, 7,  11},
    {6,  6,  35, 31, 4,  3, 1, 0, 0,  0, 4,  16},
    {4,  4,  22, 22, 0,  2, 0, 0, 0,  0, 2,  13},
    {7,  7,  68, 68, 0,  0, 0, 0, 24, 6, 9,  5},
};
// clang-format on

struct BlockShape {
    int rows, modules, moduleNumber, flowRows;
    bool operator==(const BlockShape&) const = default;
};

std::ostream& operator<<(std::ostream& out, const BlockShape& s) {
    return out << s.rows << "/" << s.modules << "/" << s.moduleNumber << " (" << s.flowRows << ")";
}

// clang-format off
const std::vector<BlockShape> kExpectedBlocks[kGroupCount] = {
    {{15, 1, 8, 14}, {1, 1, 8, 0}, {1, 1, 3, 0}},
    {{7, 1, 1, 3}, {6, 1, 8, 0}, {7, 1, 6, 0}, {6, 1, 5, 6}, {12, 1, 3, 0}, {8, 1, 1, 0},
     {4, 1, 1, 0}, {7, 1, 1, 0}, {5, 1, 1, 5}, {10, 1, 1, 0}, {5, 1, 4, 0}, {7, 1, 8, 0},
     {5, 1, 9, 0}, {1, 1, 2, 0}},
    {{45, 7, 1, 4}, {6, 1, 6, 0}},
    {{4, 1, 4, 0}, {18, 2, 1, 1}, {11, 1, 2, 1}, {4, 1, 6, 0}, {1, 1, 7, 0}},
    {{6, 1, 1, 0}, {10, 1, 1, 3}, {5, 1, 1, 1}, {8, 1, 1, 0}, {5, 1, 1, 0}, {1, 1, 1, 0}},
    {{9, 1, 1, 0}, {8, 1, 1, 0}, {1, 1, 1, 0}, {4, 1, 1, 0}},
    {{13, 1, 1, 0}, {13, 1, 1, 0}, {14, 1, 1, 0}, {12, 1, 1, 0}, {7, 1, 1, 0}, {8, 1, 1, 0},
     {1, 1, 1, 0}},
};
// clang-format on

bool IsSubMenuRow(const CatalogueRow& row) {
    return row.Title().find('_') != std::string::npos;
}

std::string SubMenuName(const CatalogueRow& row) {
    return row.Title().substr(0, row.Title().find('_'));
}

/// Runs of consecutive sub-menu rows with one module and one sub-menu name.
std::vector<std::vector<CatalogueRow>> SubMenus(const std::vector<CatalogueRow>& rows) {
    std::vector<std::vector<CatalogueRow>> runs;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!IsSubMenuRow(rows[i])) {
            continue;
        }
        bool continues = i > 0 && IsSubMenuRow(rows[i - 1]) &&
                         rows[i - 1].Module() == rows[i].Module() &&
                         SubMenuName(rows[i - 1]) == SubMenuName(rows[i]);
        if (!continues) {
            runs.emplace_back();
        }
        runs.back().push_back(rows[i]);
    }
    return runs;
}

bool HasArguments(const CatalogueRow& row) {
    return std::any_of(row.triples.begin(), row.triples.end(),
                       [](const Triple& t) { return !ProgramArguments(t.program).empty(); });
}

GroupShape MeasureGroup(const std::vector<CatalogueRow>& rows) {
    GroupShape shape{};
    std::set<int> blocks;
    std::set<std::string> dirKeys;
    for (const CatalogueRow& row : rows) {
        blocks.insert(row.block);
        ++shape.rows;
        shape.commandRows += row.HasCommand();
        shape.flowRows += !row.HasCommand();
        shape.twoTripleRows += row.triples.size() == 2;
        shape.documentRows +=
            std::any_of(row.triples.begin(), row.triples.end(),
                        [](const Triple& t) { return EndsWith(t.program, ".chm"); });
        shape.emptyFieldRows += row.text.find("||") != std::string::npos;
        shape.subMenuRows += IsSubMenuRow(row);
        shape.argumentRows += HasArguments(row);
        for (const Triple& triple : row.triples) {
            dirKeys.insert(triple.dirKey);
        }
    }
    shape.blocks = static_cast<int>(blocks.size());
    shape.modules = static_cast<int>(ModuleTitles(rows).size());
    shape.subMenus = static_cast<int>(SubMenus(rows).size());
    shape.dirKeys = static_cast<int>(dirKeys.size());
    return shape;
}

std::vector<BlockShape> MeasureBlocks(const std::vector<CatalogueRow>& rows) {
    std::vector<BlockShape> shapes;
    for (int block = 1;; ++block) {
        std::vector<CatalogueRow> blockRows;
        std::copy_if(rows.begin(), rows.end(), std::back_inserter(blockRows),
                     [block](const CatalogueRow& row) { return row.block == block; });
        if (blockRows.empty()) {
            return shapes;
        }
        int flowRows =
            static_cast<int>(std::count_if(blockRows.begin(), blockRows.end(),
                                           [](const CatalogueRow& r) { return !r.HasCommand(); }));
        shapes.push_back({static_cast<int>(blockRows.size()),
                          static_cast<int>(ModuleTitles(blockRows).size()),
                          blockRows.front().moduleNumber, flowRows});
    }
}

/// The blocks of the whole catalogue as (group, block) with one representative row each.
std::vector<CatalogueRow> FirstRowOfEachBlock(const std::vector<CatalogueRow>& rows) {
    std::vector<CatalogueRow> firsts;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i == 0 || rows[i].group != rows[i - 1].group || rows[i].block != rows[i - 1].block) {
            firsts.push_back(rows[i]);
        }
    }
    return firsts;
}

class CatalogueShape : public testing::TestWithParam<bool> {
protected:
    std::vector<CatalogueRow> rows = CatalogueRows(GetParam());
};

TEST_P(CatalogueShape, GroupsHoldTheirBlocksModulesRowsAndKinds) {
    for (int group = 1; group <= kGroupCount; ++group) {
        EXPECT_EQ(MeasureGroup(GroupRows(rows, group)), kExpectedGroups[group - 1])
            << "group " << group;
    }
    GroupShape all = MeasureGroup(rows);
    EXPECT_EQ(rows.size(), 321u);
    EXPECT_EQ(all.modules, 48);
    EXPECT_EQ(all.dirKeys, 35);
    EXPECT_EQ(all.argumentRows, 102);
}

TEST_P(CatalogueShape, BlocksHoldTheirRowsModulesNumbersAndFlowRows) {
    for (int group = 1; group <= kGroupCount; ++group) {
        EXPECT_EQ(MeasureBlocks(GroupRows(rows, group)), kExpectedBlocks[group - 1])
            << "group " << group;
    }
    std::map<int, int> blocksPerNumber;
    for (const CatalogueRow& first : FirstRowOfEachBlock(rows)) {
        ++blocksPerNumber[first.moduleNumber];
    }
    EXPECT_EQ(blocksPerNumber,
              (std::map<int, int>{
                  {1, 25}, {2, 2}, {3, 2}, {4, 2}, {5, 1}, {6, 3}, {7, 1}, {8, 4}, {9, 1}}));
}

TEST_P(CatalogueShape, ModulesAreContiguousDistinctAndOfThreeKindsOfTitle) {
    std::vector<std::string> titles = ModuleTitles(rows);
    ASSERT_EQ(titles.size(), 48u);
    std::map<std::string, std::set<std::pair<int, int>>> blocksOfModule;
    std::map<std::string, int> rowsOfModule;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        blocksOfModule[rows[i].Module()].insert({rows[i].group, rows[i].block});
        ++rowsOfModule[rows[i].Module()];
        if (i > 0 && rows[i].Module() != rows[i - 1].Module()) {
            EXPECT_EQ(std::count_if(
                          rows.begin(), rows.begin() + static_cast<long>(i),
                          [&](const CatalogueRow& r) { return r.Module() == rows[i].Module(); }),
                      0)
                << "module rows must stand together: " << rows[i].text;
        }
    }
    int ascii = 0, chinese = 0, chineseWithAbbreviation = 0;
    for (const std::string& title : titles) {
        EXPECT_EQ(blocksOfModule[title].size(), 1u) << title;
        EXPECT_EQ(title.find('_'), std::string::npos) << title;
        EXPECT_GE(rowsOfModule[title], 1);
        EXPECT_LE(rowsOfModule[title], 16);
        bool allAscii = std::all_of(title.begin(), title.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        std::size_t blank = title.rfind(' ');
        bool abbreviated =
            !allAscii && blank != std::string::npos && blank + 1 < title.size() &&
            std::all_of(title.begin() + static_cast<long>(blank) + 1, title.end(),
                        [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
        if (allAscii) {
            ++ascii;
            EXPECT_TRUE(std::all_of(title.begin(), title.end(), [](char c) {
                return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '&';
            })) << title;
        } else if (abbreviated) {
            ++chineseWithAbbreviation;
            EXPECT_EQ(std::count(title.begin(), title.end(), ' '), 1) << title;
        } else {
            ++chinese;
        }
    }
    EXPECT_EQ(ascii, 20);
    EXPECT_EQ(chinese, 18);
    EXPECT_EQ(chineseWithAbbreviation, 10);
    EXPECT_TRUE(std::any_of(titles.begin(), titles.end(),
                            [](const std::string& t) { return t.find('&') != std::string::npos; }));

    std::vector<int> steelModuleSizes;
    for (const std::string& title : ModuleTitles(GroupRows(rows, 3))) {
        if (blocksOfModule[title].begin()->second == 1) {
            steelModuleSizes.push_back(rowsOfModule[title]);
        }
    }
    EXPECT_EQ(steelModuleSizes, (std::vector<int>{4, 16, 5, 2, 2, 15, 1}));
    std::vector<CatalogueRow> firsts = FirstRowOfEachBlock(rows);
    EXPECT_EQ(std::count_if(firsts.begin(), firsts.end(),
                            [&](const CatalogueRow& f) {
                                return std::count_if(
                                           rows.begin(), rows.end(), [&](const CatalogueRow& r) {
                                               return r.group == f.group && r.block == f.block;
                                           }) == 1;
                            }),
              7);
}

TEST_P(CatalogueShape, CaptionsEndInSoftwareOrDesignAndAreSharedWhereListed) {
    std::vector<CatalogueRow> firsts = FirstRowOfEachBlock(rows);
    ASSERT_EQ(firsts.size(), 41u);
    std::set<std::string> distinct;
    int software = 0, design = 0;
    std::set<std::pair<int, int>> leadingBlank;
    for (const CatalogueRow& first : firsts) {
        distinct.insert(first.caption);
        software += EndsWith(first.caption, "软件");
        design += EndsWith(first.caption, "设计");
        if (first.caption.front() == ' ') {
            leadingBlank.insert({first.group, first.block});
            EXPECT_NE(first.caption[1], ' ') << "one blank only";
        }
    }
    EXPECT_EQ(distinct.size(), 33u);
    EXPECT_EQ(software, 30);
    EXPECT_EQ(design, 11);
    EXPECT_EQ(leadingBlank,
              (std::set<std::pair<int, int>>{{2, 12}, {2, 13}, {4, 1}, {4, 4}, {4, 5}}));

    auto caption = [&](int group, int block) {
        return std::find_if(
                   firsts.begin(), firsts.end(),
                   [&](const CatalogueRow& f) { return f.group == group && f.block == block; })
            ->caption;
    };
    EXPECT_EQ(caption(2, 2), caption(2, 7));
    EXPECT_EQ(caption(2, 3), caption(2, 8));
    EXPECT_EQ(caption(2, 4), caption(2, 9));
    for (int block = 2; block <= 6; ++block) {
        EXPECT_EQ(caption(5, block), caption(5, 1));
    }
}

TEST_P(CatalogueShape, ModuleKeysAreSharedWhereListedAndNameADirectoryOfTheirBlock) {
    std::vector<CatalogueRow> firsts = FirstRowOfEachBlock(rows);
    std::set<std::string> distinct;
    for (const CatalogueRow& first : firsts) {
        distinct.insert(first.moduleKey);
        const std::string& key = first.moduleKey;
        EXPECT_GE(key.size(), 2u) << key;
        EXPECT_LE(key.size(), 8u) << key;
        EXPECT_TRUE(std::all_of(key.begin(), key.end(), [](char c) {
            return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        })) << key;
    }
    EXPECT_EQ(distinct.size(), 32u);

    int keyIsDirKey = 0;
    for (const CatalogueRow& first : firsts) {
        bool named = false, allFlowRows = true;
        for (const CatalogueRow& row : rows) {
            if (row.group != first.group || row.block != first.block) {
                continue;
            }
            allFlowRows = allFlowRows && !row.HasCommand();
            for (const Triple& triple : row.triples) {
                named = named || triple.dirKey == first.moduleKey;
            }
        }
        keyIsDirKey += named;
        EXPECT_TRUE(named || allFlowRows) << first.moduleKey;
    }
    EXPECT_EQ(keyIsDirKey, 39);

    auto key = [&](int group, int block) {
        return std::find_if(
                   firsts.begin(), firsts.end(),
                   [&](const CatalogueRow& f) { return f.group == group && f.block == block; })
            ->moduleKey;
    };
    EXPECT_EQ(key(2, 1), key(2, 6));
    for (int block = 2; block <= 6; ++block) {
        EXPECT_EQ(key(5, block), key(5, 1));
    }
    for (int block = 2; block <= 4; ++block) {
        EXPECT_EQ(key(6, block), key(6, 1));
    }
}

TEST_P(CatalogueShape, SubMenusStandTogetherInsideTheirModules) {
    std::vector<std::vector<CatalogueRow>> subMenus = SubMenus(rows);
    ASSERT_EQ(subMenus.size(), 9u);
    std::vector<std::string> where;
    for (const std::vector<CatalogueRow>& subMenu : subMenus) {
        where.push_back(std::to_string(subMenu.front().group) + "." +
                        std::to_string(subMenu.front().block) + ":" +
                        std::to_string(subMenu.size()));
        for (const CatalogueRow& row : subMenu) {
            EXPECT_TRUE(row.HasCommand()) << row.text;
            EXPECT_EQ(std::count(row.Title().begin(), row.Title().end(), '_'), 1) << row.text;
        }
    }
    EXPECT_EQ(where, (std::vector<std::string>{"2.5:4", "4.2:2", "4.2:2", "7.1:5", "7.1:2", "7.2:5",
                                               "7.3:5", "7.3:2", "7.4:5"}));
    std::set<std::pair<std::string, std::string>> names;
    for (const std::vector<CatalogueRow>& subMenu : subMenus) {
        EXPECT_TRUE(names.insert({subMenu.front().Module(), SubMenuName(subMenu.front())}).second)
            << "a sub-menu is not split: " << subMenu.front().text;
    }
    for (std::size_t i = 0; i + 1 <= rows.size(); ++i) {
        bool lastOfModule = i + 1 == rows.size() || rows[i + 1].Module() != rows[i].Module();
        if (lastOfModule) {
            EXPECT_FALSE(IsSubMenuRow(rows[i])) << rows[i].text;
        }
    }
    std::vector<CatalogueRow> prestressed = GroupRows(rows, 4);
    EXPECT_EQ(subMenus[1].front().Module(), prestressed[4].Module()) << "first module of block 2";
}

INSTANTIATE_TEST_SUITE_P(BothPrestressedEditions, CatalogueShape, testing::Bool(),
                         PrestressedEditionName);

}  // namespace
