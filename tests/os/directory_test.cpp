// The current directory and the paths of the executable and of this module.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "os/os.h"
#include "os/status_printing.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

TEST(CurrentDirectoryTest, SetAndRead) {
    TempDir dir;
    const std::string before = os::CurrentDirectory().value_or("");
    ASSERT_TRUE(os::SetCurrentDirectory(dir.Path()));
    const std::optional<std::string> now = os::CurrentDirectory();
    ASSERT_TRUE(now.has_value());
    EXPECT_TRUE(fs::equivalent(*now, dir.Path())) << *now;
    ASSERT_TRUE(os::SetCurrentDirectory(before));
}

TEST(CurrentDirectoryTest, MissingDirectoryOrFileIsRefused) {
    TempDir dir;
    WriteWholeFile(dir / "file", "");
    const std::string before = os::CurrentDirectory().value_or("");
    EXPECT_FALSE(os::SetCurrentDirectory(dir / "missing"));
    EXPECT_EQ(Code{os::LastError()}, Code{os::kFileNotFound});
    EXPECT_FALSE(os::SetCurrentDirectory(dir / "missing/deeper"));
    EXPECT_EQ(Code{os::LastError()}, Code{os::kPathNotFound});
    EXPECT_FALSE(os::SetCurrentDirectory(dir / "file"));
    EXPECT_EQ(Code{os::LastError()}, Code{os::kDirectory});
    EXPECT_EQ(os::CurrentDirectory().value_or(""), before);
}

TEST(ModulePathTest, ExecutableAndModuleExist) {
    const std::string host = os::HostExecutablePath();
    const std::string module = os::OwnModulePath();
    EXPECT_TRUE(fs::is_regular_file(host)) << host;
    EXPECT_TRUE(fs::is_regular_file(module)) << module;
    // The tests link the plug-in's code into the executable itself.
    EXPECT_TRUE(fs::equivalent(host, module)) << host << " / " << module;
}

TEST(EnvironmentTest, SetThenGet) {
    ASSERT_TRUE(os::SetEnvironmentVariable("TRUV_OS_TEST_VALUE", "结构 a=b;c"));
    EXPECT_EQ(os::GetEnvironmentVariable("TRUV_OS_TEST_VALUE"), "结构 a=b;c");
    EXPECT_EQ(os::GetEnvironmentVariable("TRUV_OS_TEST_NEVER_SET"), std::nullopt);
    os::EnvironmentBlock block;
    EXPECT_NE(block.Native(), nullptr);
}

}  // namespace
