// The shell's "open" under the win32 backend: a program with parameters, and a missing one.
#include <gtest/gtest.h>

#include "os/os.h"
#include "support/box_capture.h"
#include "support/temp_dir.h"

namespace {

TEST(Win32Shell, OpenStartsTheProgramWithItsParametersAndHandsBackTheProcess) {
    TempDir dir;
    CurrentDirectoryScope inside(dir.Path());  // the shell starts it in the current directory
    os::Process started;
    const os::Status status = os::ShellOpen("cmd.exe", "/c echo opened> shell.txt", started);
    ASSERT_EQ(status, os::kSuccess) << os::ErrorText(status);
    ASSERT_TRUE(started.IsValid());
    started.Wait();
    EXPECT_EQ(started.ExitCode(), 0u);
    EXPECT_EQ(ReadWholeFile(dir / "shell.txt").substr(0, 6), "opened");
}

TEST(Win32Shell, MissingProgramFailsWithTheShellsOwnBox) {
    BoxCapture capture;  // the shell's error box is modal: the hook dismisses it
    os::Process started;
    EXPECT_EQ(os::ShellOpen("C:\\truv-missing\\INSPECT1.EXE", "", started), os::kFileNotFound);
    EXPECT_FALSE(started.IsValid());
    EXPECT_EQ(capture.Take().size(), 1u);  // the shell's box: the backend does not ask for NO_UI
}

}  // namespace
