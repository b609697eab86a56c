// The host's reading of "menu.txt": the whole format, and keys that resolve to their rows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "catalogue/builders.h"
#include "host/items/item_plan.h"
#include "host/items/menu_file_reader.h"
#include "host/platform/host_system.h"
#include "model/menu_catalog.h"
#include "model/menu_file.h"
#include "os/os.h"
#include "plugin/entry.h"
#include "suite/sandbox.h"

namespace {

constexpr const char* kSeparator = "===========================\r\n";

/// Writes the catalogue's own menu file, as InitTruvApp does, and reads it back.
class CatalogueMenuFile : public ::testing::Test {
protected:
    void SetUp() override {
        const GroupBounds bounds = BuildMenuGroups(catalog);
        path = temp.Join("menu.txt");
        ASSERT_EQ(WriteMenuFile(path, catalog, bounds), "");
        ASSERT_TRUE(host::ReadMenuFile(path, tree, error)) << error;
    }

    suite::TempDir temp;
    MenuCatalog catalog;
    std::string path;
    host::MenuTree tree;
    std::string error;
};

TEST_F(CatalogueMenuFile, HasTheSevenGroupsInMenuOrder) {
    ASSERT_EQ(tree.groups.size(), static_cast<std::size_t>(kGroupCount));
    for (int group = 0; group < kGroupCount; ++group) {
        EXPECT_EQ(tree.groups[group].title, kGroupTitles[group]);
    }
}

TEST_F(CatalogueMenuFile, EveryKeyResolvesToItsRow) {
    const std::vector<std::string> keys = tree.Keys();
    ASSERT_FALSE(keys.empty());
    for (const std::string& key : keys) {
        bool found = false;
        for (int i = 0; i < catalog.Count() && !found; ++i) {
            found = host::KeyOf(catalog.ItemAt(i)) == key;
        }
        EXPECT_TRUE(found) << key;
    }
}

TEST_F(CatalogueMenuFile, KnowsItsKeysAndNoOthers) {
    const std::string first = tree.Keys().front();
    EXPECT_TRUE(tree.HasKey(first));
    for (const std::string& other :
         {std::string(), first + " ", first.substr(0, first.find('|')), std::string("no|such")}) {
        EXPECT_FALSE(tree.HasKey(other)) << other;
    }
}

TEST_F(CatalogueMenuFile, EveryRowHasAnEntry) {
    const std::vector<std::string> keys = tree.Keys();
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(catalog.Count()));
    const std::set<std::string> distinct(keys.begin(), keys.end());
    for (int i = 0; i < catalog.Count(); ++i) {
        EXPECT_EQ(distinct.count(host::KeyOf(catalog.ItemAt(i))), 1u)
            << catalog.ItemAt(i).RowText();
    }
}

TEST_F(CatalogueMenuFile, ModulesCarryTheFirstRowsKeyNumberAndCaption) {
    for (const host::MenuGroupBlock& group : tree.groups) {
        for (const host::MenuModule& module : group.modules) {
            const std::string prefix = module.title + "|";
            int first = -1;
            for (int i = 0; i < catalog.Count() && first < 0; ++i) {
                if (host::KeyOf(catalog.ItemAt(i)).rfind(prefix, 0) == 0) first = i;
            }
            ASSERT_GE(first, 0) << module.title;
            EXPECT_EQ(module.moduleKey, catalog.ItemAt(first).ModuleKey()) << module.title;
            EXPECT_EQ(module.caption, catalog.ItemAt(first).Caption()) << module.title;
        }
    }
}

host::MenuTree Parsed(const std::string& bytes) {
    host::MenuTree tree;
    std::string error;
    EXPECT_TRUE(host::ParseMenuFile(bytes, tree, error)) << error;
    return tree;
}

std::string Separator() {
    return kSeparator;
}

TEST(MenuFileReader, FormsKeysOfEntriesAndSubMenus) {
    const host::MenuTree tree =
        Parsed(Separator() + "[建  筑]\r\n" + Separator() +
               "module=\"样例分析 ZETA\",\"ZETA\",4\r\ntitle=\"样例分析软件\"\r\n"
               "app=\"模型输入\"\r\napp=\"内力计算  \"\r\nmenu=\"结果显示\"\r\napp=\"图形\"\r\n"
               "app=\"文本_摘要\"\r\nmenuend\r\napp=\"帮助\"\r\n" +
               Separator() + "\r\n");
    ASSERT_EQ(tree.groups.size(), 1u);
    ASSERT_EQ(tree.groups[0].modules.size(), 1u);
    const host::MenuModule& module = tree.groups[0].modules[0];
    EXPECT_EQ(module.moduleKey, "ZETA");
    EXPECT_EQ(module.moduleNumber, 4);
    EXPECT_EQ(module.caption, "样例分析软件");
    EXPECT_EQ(tree.Keys(),
              (std::vector<std::string>{"样例分析 ZETA|模型输入", "样例分析 ZETA|内力计算  ",
                                        "样例分析 ZETA|结果显示_图形",
                                        "样例分析 ZETA|结果显示_文本_摘要", "样例分析 ZETA|帮助"}));
    ASSERT_EQ(module.nodes.size(), 4u);
    EXPECT_TRUE(module.nodes[2].isSubMenu);
    EXPECT_EQ(module.nodes[2].entries.size(), 2u);
}

TEST(MenuFileReader, KeepsEmptyGroupsAndSplitsAdjacentSubMenus) {
    const host::MenuTree tree =
        Parsed(Separator() + "[一]\n" + Separator() + "module=\"M\",\"MK\",1\ntitle=\"C\"\n" +
               "menu=\"A\"\napp=\"x\"\nmenuend\nmenu=\"\"\napp=\"y\"\nmenuend\n" + Separator() +
               "[二]\n" + Separator() + "\n\n");
    ASSERT_EQ(tree.groups.size(), 2u);
    EXPECT_TRUE(tree.groups[1].modules.empty());
    EXPECT_EQ(tree.Keys(), (std::vector<std::string>{"M|A_x", "M|_y"}));
}

TEST(MenuFileReader, RefusesFilesOutsideTheFormat) {
    const std::string module = Separator() + "module=\"M\",\"MK\",1\ntitle=\"C\"\n";
    const std::string closing = Separator() + "\n";
    const std::vector<std::string> broken = {
        Separator() + "[一]\n" + module,                          // no closing block
        module + closing,                                         // module before group
        Separator() + "[一]\n" + module + "menuend\n" + closing,  // menuend alone
        Separator() + "[一]\n" + module + "menu=\"A\"\napp=\"x\"\n" + closing,  // unclosed
        Separator() + "[一]\n" + module + "app=x\n" + closing,                  // unquoted
        Separator() + "[一]\n" + module + closing + "[二]\n",                   // after closing
        Separator() + "[一]\n" + Separator() + "module=\"M\",\"MK\",x\ntitle=\"C\"\n" + closing,
    };
    for (const std::string& bytes : broken) {
        host::MenuTree tree;
        std::string error;
        EXPECT_FALSE(host::ParseMenuFile(bytes, tree, error)) << bytes;
        EXPECT_NE(error.find("line "), std::string::npos) << error;
    }
}

// What a malformed module number makes of the file: the line and what was expected there.
TEST(MenuFileReader, ModuleNumberOutsideIntIsNamed) {
    for (const char* number : {"-", "99999999999", "-99999999999", "", "1x", " 1"}) {
        const std::string bytes = Separator() + "[一]\n" + Separator() + "module=\"M\",\"MK\"," +
                                  number + "\ntitle=\"C\"\n" + Separator() + "\n";
        host::MenuTree tree;
        std::string error;
        EXPECT_FALSE(host::ParseMenuFile(bytes, tree, error)) << number;
        EXPECT_EQ(error.rfind("line 4: a module number", 0), 0u) << error;
        EXPECT_NE(error.find(std::string("\"") + number + "\""), std::string::npos) << error;
    }
}

// What is no menu file is refused with the reason, never read whole: a directory, and a
// sparse file of 1 GiB (the real one holds about 12 KB).
TEST(MenuFileReader, DirectoryOrHugeFileIsNoMenuFile) {
    const struct {
        const char* kind;
        const char* reason;
    } cases[] = {{"directory", "not a directory"}, {"huge", "larger than 1 MiB"}};
    for (const auto& c : cases) {
        suite::TempDir temp;
        const std::string path = temp.Join("menu.txt");
        if (std::string(c.kind) == "directory") {
            std::filesystem::create_directory(path);
        } else {
            std::ofstream(path, std::ios::binary) << "[建  筑]\r\n";
            std::filesystem::resize_file(path, std::uintmax_t{1} << 30);
        }
        host::MenuTree tree;
        std::string error;
        EXPECT_FALSE(host::ReadMenuFile(path, tree, error)) << c.kind;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.kind << ": " << error;
    }
}

// A folder whose double-byte name ends in the byte of '\\' is not cut in the middle.
TEST(HostPaths, LastSeparatorStepsOverDoubleByteCharacters) {
    if (os::FileNameEncoding() != os::NameEncoding::kGbk) {
        GTEST_SKIP() << "path names here are UTF-8, where every '\\' byte separates";
    }
    const std::string folder = "D:\\\xD5\x5C";  // a GBK character with the trail byte 0x5C
    EXPECT_EQ(host::sys::LastSeparator(folder + "\\truvhost.exe"), folder.size());
    EXPECT_EQ(host::sys::LastSeparator(folder), 2u);
}

}  // namespace
