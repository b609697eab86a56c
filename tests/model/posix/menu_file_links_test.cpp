// A symbolic link under a temporary name of the menu file is never written through.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/menu_catalog.h"
#include "model/menu_file.h"
#include "support/temp_dir.h"

namespace {

TEST(MenuFileLinksTest, LinksAreNeitherFollowedNorKept) {
    namespace fs = std::filesystem;
    MenuCatalog catalog;
    catalog.Add("C", "K", "M|A", 1);
    const GroupBounds bounds{{0, 1, 1, 1, 1, 1, 1, 1}};
    TempDir dir;
    TempDir elsewhere;
    WriteWholeFile(elsewhere / "target", "target");
    fs::create_symlink(elsewhere / "target", dir / "menu.txt.new");  // the old temporary name
    fs::create_symlink(elsewhere / "target", dir / "menu.~00");
    fs::create_symlink(elsewhere / "nothing", dir / "menu.~01");
    EXPECT_EQ(WriteMenuFile(dir / "menu.txt", catalog, bounds), "");
    EXPECT_FALSE(fs::is_symlink(dir / "menu.txt"));
    EXPECT_EQ(ReadWholeFile(dir / "menu.txt"), MenuFileText(catalog, bounds));
    EXPECT_EQ(ReadWholeFile(elsewhere / "target"), "target");
    EXPECT_FALSE(fs::exists(elsewhere / "nothing"));
    EXPECT_FALSE(fs::is_symlink(dir / "menu.~00"));
    EXPECT_FALSE(fs::is_symlink(dir / "menu.~01"));
}

}  // namespace
