// A system without /proc, where the host's folder cannot be told: no menu file is written (it
// would land in the current folder), and programs are not looked up there either.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "os/os.h"
#include "os/posix/posix_support.h"
#include "plugin/entry.h"
#include "support/box_capture.h"
#include "support/temp_dir.h"

namespace {

// Run by the next test in a mount namespace whose /proc is empty, in a folder that holds a
// program "planted".
TEST(NoProcChild, DISABLED_NeitherWritesNorSearchesTheCurrentFolder) {
    ASSERT_EQ(os::HostExecutablePath(), "");
    std::vector<CapturedBox> shown;
    {
        BoxCapture boxes;  // its log is removed before the child ends without unwinding
        InitTruvApp();
        shown = boxes.Take();
    }
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const CapturedBox& box) {
        return box.text == "menu.txt 中包含无效的路径。";
    }));
    EXPECT_FALSE(std::filesystem::exists("menu.txt"));
    EXPECT_EQ(os::posix::FindProgram("planted", "").status, os::kFileNotFound);
    // The sanitizer build's leak check at exit needs /proc: the child ends here, at once.
    std::fflush(stdout);
    std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
}

TEST(NoProcTest, UnknownHostFolderIsNeitherWrittenNorSearched) {
    if (std::system("unshare -m true 2>/dev/null") != 0) {
        GTEST_SKIP() << "no mount namespaces here";
    }
    TempDir dir;
    WriteWholeFile(dir / "planted", "#!/bin/sh\n");
    std::filesystem::permissions(dir / "planted", std::filesystem::perms::owner_all);
    const std::string command = "cd '" + dir.Path() +
                                "' && unshare -m sh -c 'mount -t tmpfs none /proc && exec \"$0\" "
                                "--gtest_filter=NoProcChild.* --gtest_also_run_disabled_tests' '" +
                                os::OwnModulePath() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
