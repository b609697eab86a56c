// "CFGPATH" that is no regular file: unreadable at once, never a wait for a writer.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "launch/install_paths.h"
#include "support/installation_fixture.h"

namespace {

using CfgPathSpecialFilesTest = InstallationTest;

TEST_F(CfgPathSpecialFilesTest, FifoAndDeviceCountAsUnreadable) {
    const std::string cfgPath = sandbox.CfgPathFile();
    for (const char* kind : {"fifo", "device"}) {
        sandbox.RemoveCfgPath();
        if (std::string(kind) == "fifo") {
            ASSERT_EQ(mkfifo(cfgPath.c_str(), 0600), 0);
        } else {
            std::filesystem::create_symlink("/dev/null", cfgPath);
        }
        EXPECT_EQ(ReadCfgPath(sandbox.Root()), std::nullopt) << kind;
        std::filesystem::remove(cfgPath);
    }
}

}  // namespace
