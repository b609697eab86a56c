// The win32 backend starts real processes: environment block, current directory, exit code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "os/os.h"
#include "support/temp_dir.h"

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string WithoutLineEnd(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

// The system's command interpreter writes what the child saw into files of its directory. The
// redirections come first: "echo ... 1> file" would take the value's last digit as a handle.
constexpr char kProbeCommand[] = "cmd.exe /c >cwd.txt cd& >env.txt echo %TRUV_PROBE%& exit 7";

TEST(Win32Process, ChildGetsEnvironmentBlockCurrentDirectoryAndReportsItsExitCode) {
    TempDir dir;
    ASSERT_TRUE(os::SetEnvironmentVariable("TRUV_PROBE", "probe value 1"));
    const os::EnvironmentBlock environment;  // snapshot: later changes do not reach the child
    ASSERT_TRUE(os::SetEnvironmentVariable("TRUV_PROBE", "changed after the snapshot"));

    os::Process child;
    const os::Status status = os::StartProcess(kProbeCommand, environment, dir.Path(), child);
    ASSERT_EQ(status, os::kSuccess) << os::ErrorText(status);
    ASSERT_TRUE(child.IsValid());
    child.Wait();

    EXPECT_EQ(child.ExitCode(), 7u);
    EXPECT_EQ(Lower(WithoutLineEnd(ReadWholeFile(dir / "cwd.txt"))), Lower(dir.Path()));
    EXPECT_EQ(WithoutLineEnd(ReadWholeFile(dir / "env.txt")), "probe value 1");
    child.Close();
    EXPECT_FALSE(child.IsValid());
}

TEST(Win32Process, MissingProgramIsFileNotFoundAndStartsNothing) {
    TempDir dir;
    const os::EnvironmentBlock environment;
    os::Process child;
    EXPECT_EQ(os::StartProcess("TRUVNOSUCHPROGRAM.EXE -A", environment, dir.Path(), child),
              os::kFileNotFound);
    EXPECT_FALSE(child.IsValid());
}

// A deleted project folder, and the empty project directory the POSIX backend is left with
// when the system cannot tell a deleted current directory.
TEST(Win32Process, MissingCurrentDirectoryRefusesTheStart) {
    TempDir dir;
    const os::EnvironmentBlock environment;
    for (const std::string& currentDir : {dir / "gone", std::string()}) {
        os::Process child;
        EXPECT_EQ(os::StartProcess("cmd.exe /c exit 0", environment, currentDir, child),
                  os::kDirectory)
            << currentDir;
        EXPECT_FALSE(child.IsValid());
    }
}

TEST(Win32Process, MovedProcessKeepsItsHandleAndEmptyOneReportsFailureCode) {
    TempDir dir;
    const os::EnvironmentBlock environment;
    os::Process first;
    ASSERT_EQ(os::StartProcess("cmd.exe /c exit 0", environment, dir.Path(), first), os::kSuccess);
    os::Process second(std::move(first));
    EXPECT_FALSE(first.IsValid());  // NOLINT(bugprone-use-after-move): moved-from state
    second.Wait();
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(first.ExitCode(), 0xFFFFFFFFu);  // no process: never reads as success
}

}  // namespace
