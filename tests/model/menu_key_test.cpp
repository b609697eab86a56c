// The key of a menu item and its comparison with a row's titles.
#include "model/menu_key.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuKeyTest, KeysMatchOnlyTheirOwnTitles) {
    // "\x81|" is one GBK character whose trail byte looks like the separator.
    struct Case {
        std::string_view key, module, item;
        bool matches;
    };
    const Case cases[] = {
        {"CORECAD|画结构平面图", "CORECAD", "画结构平面图", true},
        {"A|B|C", "A|B", "C", true},
        {"A|B|C", "A", "B|C", true},
        {"A\x81||B", "A\x81|", "B", true},
        {"A\x81||B", "A", "\x81||B", false},
        {"AB|C", "A", "B|C", false},
        {"A|BC", "A", "B", false},
        {"A|B ", "A", "B", false},
        {"|", "", "", true},
        {"", "", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsKeyOf(c.key, c.module, c.item), c.matches) << c.key;
        EXPECT_EQ(ComposeKey(c.module, c.item) == c.key, c.matches) << c.key;
    }
}

}  // namespace
