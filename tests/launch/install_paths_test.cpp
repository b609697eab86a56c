// The installation root from the registry, "CFGPATH" scans and the project directory.
#include "launch/install_paths.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "launch/launcher.h"
#include "os/os.h"
#include "plugin/globals.h"
#include "support/installation_fixture.h"

namespace {

using InstallPathsTest = InstallationTest;

TEST_F(InstallPathsTest, RootComesFromTheRegistry) {
    EXPECT_EQ(GetInstallRoot(), sandbox.Root());
    sandbox.SetRegistryString(std::string(199, 'r'));
    EXPECT_EQ(GetInstallRoot(), std::string(199, 'r'));
    sandbox.SetRegistryString(std::string(200, 'r'));  // no room for the terminator
    EXPECT_EQ(GetInstallRoot(), "");
    sandbox.SetRegistryString(std::string(300, 'r'));
    EXPECT_EQ(GetInstallRoot(), "");
    sandbox.RemoveRegistryValue();
    EXPECT_EQ(GetInstallRoot(), "");
    sandbox.RemoveRegistryKey();
    EXPECT_EQ(GetInstallRoot(), "");
}

TEST_F(InstallPathsTest, NonStringValueIsTakenUpToItsFirstNul) {
    sandbox.SetRegistryDword(0x00414141);
    EXPECT_EQ(GetInstallRoot(), "AAA");
}

TEST_F(InstallPathsTest, CfgPathHasKeyComparesWholeLinesUpperCased) {
    sandbox.WriteCfgPathLines({"lyr", "D:\\LYR8\\", "TEND ", "ORION"});
    EXPECT_TRUE(CfgPathHasKey("LYR"));
    EXPECT_TRUE(CfgPathHasKey("d:\\lyr8\\"));  // directory lines count too
    EXPECT_FALSE(CfgPathHasKey("LYR8"));
    EXPECT_FALSE(CfgPathHasKey("TEND"));
    EXPECT_TRUE(CfgPathHasKey("orion"));
    sandbox.RemoveCfgPath();
    EXPECT_FALSE(CfgPathHasKey("LYR"));
}

TEST_F(InstallPathsTest, ReadCfgPathGivesEveryLine) {
    sandbox.WriteCfgPathBytes("core\r\nD:\\A\\\r\nX\nLAST");
    EXPECT_EQ(ReadCfgPath(sandbox.Root()),
              (std::vector<std::string>{"core", "D:\\A\\", "X", "LAST"}));
    sandbox.RemoveCfgPath();
    EXPECT_EQ(ReadCfgPath(sandbox.Root()), std::nullopt);
    // What is read is bounded: a file beyond 1 MiB counts as unreadable.
    sandbox.WriteCfgPathBytes(std::string((1 << 20) - 1, 'x') + "\n");
    EXPECT_EQ(ReadCfgPath(sandbox.Root()),
              (std::vector<std::string>{std::string((1 << 20) - 1, 'x')}));
    sandbox.WriteCfgPathBytes(std::string(1 << 20, 'x') + "\n");
    EXPECT_EQ(ReadCfgPath(sandbox.Root()), std::nullopt);
}

TEST_F(InstallPathsTest, ValidateWorkDirEntersTheDirectory) {
    EXPECT_FALSE(ValidateWorkDir(""));
    EXPECT_FALSE(ValidateWorkDir(sandbox.ProjectDir() + "-missing"));
    EXPECT_TRUE(ValidateWorkDir(sandbox.ProjectDir()));
    EXPECT_EQ(os::CurrentDirectory(), sandbox.ProjectDir());
}

// The "PATH" step of a fresh load over the old value "old": the new value.
std::string PathAfterPrepare() {
    os::SetEnvironmentVariable("PATH", "old");
    TheLauncher().pathPending = 1;
    TheLauncher().PrepareEnvironment(TheLauncher().pathPending);
    return os::GetEnvironmentVariable("PATH").value_or("(unset)");
}

// What that value should be: two elements before the old value.
std::string PathList(const std::string& first, const std::string& second) {
    const char separator = os::PathListSeparator();
    return first + separator + second + separator + "old";
}

TEST_F(InstallPathsTest, WithoutRootPathStartsWithAnEmptyElement) {
    sandbox.RemoveRegistryValue();
    EXPECT_EQ(PathAfterPrepare(), PathList("", ""));
    EXPECT_EQ(TheLauncher().pathPending, 0);
}

// A NUL byte ends every line, a key's directory line as much as the CORE line.
TEST_F(InstallPathsTest, NulEndsEveryCfgPathLine) {
    sandbox.WriteCfgPathBytes(std::string("ORION\0x\nD:\\OR\0ION\\\r\nlast\0", 25));
    EXPECT_EQ(ReadCfgPath(sandbox.Root()),
              (std::optional<std::vector<std::string>>{{"ORION", "D:\\OR", "last"}}));
}

// A NUL byte ends the CORE line; the old "PATH" stays whole after it.
TEST_F(InstallPathsTest, NulInTheCoreLineKeepsTheOldPath) {
    sandbox.WriteCfgPathBytes(std::string("CORE\nD:\\CO\0RE\\\n", 15));
    EXPECT_EQ(PathAfterPrepare(), PathList(sandbox.Root(), "D:\\C"));
}

TEST_F(InstallPathsTest, CoreDirectoryLosesItsLastByte) {
    sandbox.WriteCfgPathLines({"Core", "D:\\SUITE\\CORE"});
    EXPECT_EQ(PathAfterPrepare(), PathList(sandbox.Root(), "D:\\SUITE\\COR"));
    // Once per load: a second call changes nothing.
    os::SetEnvironmentVariable("PATH", "later");
    TheLauncher().PrepareEnvironment(TheLauncher().pathPending);
    EXPECT_EQ(os::GetEnvironmentVariable("PATH"), "later");
}

}  // namespace
