// The library beside the host: one cut short is refused before the system maps it, and the
// version it states is shown only when it is short printable text.
#include "host/plugin/plugin_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/plugin/version.h"
#include "os/os.h"
#include "support/temp_dir.h"

namespace {

// Copies of an executable of this platform's form (this test's own) cut at several places.
TEST(PluginLoader, ALibraryShorterThanItsHeadersSayIsDamaged) {
    const std::string self = os::HostExecutablePath();
    const std::uintmax_t size = std::filesystem::file_size(self);
    TempDir temp;
    const std::string copy = temp / host::Plugin::FileName();
    const struct {
        const char* name;
        std::uintmax_t length;
        bool damaged;
    } cases[] = {
        {"whole", size, false},
        {"one byte short", size - 1, true},
        {"half", size / 2, true},
        {"its first page", 4096, true},
        {"inside its headers", 200, true},
    };
    for (const auto& c : cases) {
        std::filesystem::copy_file(self, copy, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::resize_file(copy, c.length);
        const std::string damage = host::LibraryDamage(copy);
        EXPECT_EQ(damage.starts_with("damaged (its headers describe "), c.damaged)
            << c.name << ": " << damage;
        if (!c.damaged) continue;
        host::Plugin plugin;
        std::string error;
        EXPECT_FALSE(plugin.Load(temp.Path(), error));
        EXPECT_NE(error.find(": damaged ("), std::string::npos) << error;
    }
    EXPECT_EQ(host::LibraryDamage(temp / "none"), "");
    EXPECT_EQ(host::LibraryDamage(temp.Path()), "") << "a folder: loading says why";
}

TEST(PluginLoader, AStatedVersionIsShortPrintableText) {
    const struct {
        std::string mark;
        bool taken;
    } cases[] = {
        {"1.4.0", true},
        {"2.0.0-rc1 build 7", true},
        {std::string(host::kVersionLimit, '9'), true},
        {std::string(host::kVersionLimit + 1, '9'), false},
        {std::string(5 << 20, '1'), false},
        {"", false},
        {"1.4\x1B[2J", false},
        {"1.4\r\n", false},
        {"1.\xB0\xE6", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(host::StatedVersion(c.mark), c.taken ? c.mark : "") << c.mark.substr(0, 40);
    }
}

}  // namespace
