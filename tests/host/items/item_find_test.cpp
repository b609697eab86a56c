// Finding items by typing, against the catalogue's own menu: titles, module keys, program
// names, pinyin initials, no match, and trail bytes that look like ASCII letters.
#include "host/items/item_find.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/builders.h"
#include "model/menu_file.h"

namespace {

struct FindCase {
    const char* query;
    const char* foundKey;  ///< the start of a key among the results; nullptr: no result at all
};

TEST(ItemFind, QueriesFindTheirItems) {
    MenuCatalog catalog;
    const GroupBounds bounds = BuildMenuGroups(catalog);
    host::MenuTree tree;
    std::string error;
    ASSERT_TRUE(host::ParseMenuFile(MenuFileText(catalog, bounds), tree, error)) << error;
    const std::vector<host::FindableItem> items = host::FindableItems(tree, catalog);
    // clang-format off
    const FindCase cases[] = {
        {"建筑平面图",  "三维建筑设计 BLDG|建筑平面图"},  // characters of the title
        {" 平面图 ",    "三维建筑设计 BLDG|建筑平面图"},  // trimmed
        {"jzpmt",       "三维建筑设计 BLDG|建筑平面图"},  // initials from the start
        {"PMT",         "三维建筑设计 BLDG|建筑平面图"},  // inside them, any case
        {"swjzsj",      "三维建筑设计 BLDG|建筑平面图"},  // the module title's initials
        {"bldg",        "三维建筑设计 BLDG|建筑平面图"},  // the module title's letters
        {"execmgr",     "框架|平面框架模型输入"},         // a program it starts
        {"平面图x",     nullptr},
        {"qqqqq",       nullptr},
        {"",            nullptr},
    };
    // clang-format on
    for (const FindCase& c : cases) {
        std::vector<std::string> keys;
        for (const host::FindableItem* item : host::FindItems(items, c.query)) {
            keys.push_back(item->key);
        }
        if (c.foundKey == nullptr) {
            EXPECT_TRUE(keys.empty()) << c.query << ": " << keys.front();
        } else {
            EXPECT_TRUE(std::any_of(keys.begin(), keys.end(), [&](const std::string& key) {
                return key.starts_with(c.foundKey);
            })) << c.query;
        }
    }
}

// A trail byte 'a' or 'P' inside a character is no letter; the same letters alone are.
TEST(ItemFind, TrailBytesThatLookLikeLettersNeverMatchALatinQuery) {
    host::FindableItem item{"", "", {"\x81\x61\x81\x50"}, {}};
    EXPECT_FALSE(host::MatchesQuery(item, "a"));
    EXPECT_FALSE(host::MatchesQuery(item, "p"));
    item.texts.push_back("ap");
    EXPECT_TRUE(host::MatchesQuery(item, "AP"));
}

}  // namespace
