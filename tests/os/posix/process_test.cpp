// Starting processes: program lookup, arguments, environment, directory, exit codes, failures.
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "os/os.h"
#include "os/status_printing.h"
#include "support/fault_plan.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// A shell script that leaves its directory, TRUV_PROBE and its arguments in "report" in its
// current directory, then exits with the code in its name's companion file, or 7.
constexpr char kProbeScript[] =
    "#!/bin/sh\n"
    "{ pwd -P; printf '%s\\n' \"$TRUV_PROBE\"; printf '[%s]' \"$@\"; } > report\n"
    "exit 7\n";

void WriteProgram(const std::string& path, const std::string& script) {
    WriteWholeFile(path, script);
    fs::permissions(path, fs::perms::owner_all);
}

// Sets an environment variable for as long as it lives, then restores it.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* previous = getenv(name)) {
            previous_ = previous;
        }
        setenv(name, value.c_str(), 1);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;
    ~ScopedVariable() {
        if (previous_) {
            setenv(name_, previous_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

struct Run {
    os::Status status;
    std::uint32_t exitCode;
};

Run StartAndWait(const std::string& commandLine, const std::string& currentDir) {
    const os::EnvironmentBlock environment;
    os::Process process;
    const os::Status status = os::StartProcess(commandLine, environment, currentDir, process);
    if (status != os::kSuccess) {
        EXPECT_FALSE(process.IsValid());
        return {status, 0};
    }
    process.Wait();
    return {status, process.ExitCode()};
}

class StartProcessTest : public testing::Test {
protected:
    StartProcessTest() {
        fs::create_directories(root_ / "Suite/Bin");
        fs::create_directories(root_ / "Proj1");
        WriteProgram(root_ / "Suite/Bin/probe", kProbeScript);
    }
    std::string Report() const { return ReadWholeFile(root_ / "Proj1/report"); }

    TempDir root_;
};

TEST_F(StartProcessTest, ArgumentsEnvironmentAndDirectory) {
    std::optional<os::EnvironmentBlock> environment;
    {
        const ScopedVariable probe("TRUV_PROBE", "from the block");
        environment.emplace();
    }
    const std::string commandLine = root_.Path() + "\\SUITE\\bin\\PROBE \"a b\" c\\\"d 结构";
    os::Process process;
    ASSERT_EQ(Code{os::StartProcess(commandLine, *environment, root_.Path() + "\\proj1", process)},
              Code{os::kSuccess});
    process.Wait();
    EXPECT_EQ(process.ExitCode(), 7u);
    EXPECT_EQ(process.ExitCode(), 7u);
    EXPECT_EQ(Report(), fs::canonical(root_ / "Proj1").string() + "\nfrom the block\n[a b][c\"d][" +
                            reinterpret_cast<const char*>(u8"结构") + "]");
}

// A start whose file actions cannot be arranged (the change of folder, the closing of the
// host's descriptors) does not happen at all: no program runs in the host's folder instead.
TEST_F(StartProcessTest, FileActionsThatCannotBeArrangedFailTheStart) {
    const CurrentDirectoryScope hostFolder(root_ / "Suite");
    const std::string commandLine = root_.Path() + "/Suite/Bin/probe";
    for (std::size_t occurrence = 1; occurrence <= 3; ++occurrence) {
        SCOPED_TRACE(occurrence);
        const os::EnvironmentBlock environment;
        os::Process process;
        os::Status status = os::kSuccess;
        {
            FaultPlan plan;
            plan.FailNth(SystemCall::kSpawnActions, occurrence, Fault::kError);
            status = os::StartProcess(commandLine, environment, root_ / "Proj1", process);
            EXPECT_TRUE(plan.Fired());
        }
        EXPECT_EQ(Code{status}, Code{os::kNotEnoughMemory});
        EXPECT_EQ(Code{os::LastError()}, Code{os::kNotEnoughMemory});
        EXPECT_FALSE(process.IsValid());
        if (process.IsValid()) process.Wait();
        EXPECT_FALSE(fs::exists(root_ / "Suite/report"));
        EXPECT_FALSE(fs::exists(root_ / "Proj1/report"));
    }
}

TEST_F(StartProcessTest, BareNameIsSearchedInThePathOfTheBlock) {
    std::optional<os::EnvironmentBlock> environment;
    {
        const ScopedVariable path("PATH", "/nonexistent:" + root_.Path() + "\\suite\\BIN");
        environment.emplace();
    }
    os::Process process;
    ASSERT_EQ(Code{os::StartProcess("Probe x", *environment, root_ / "Proj1", process)},
              Code{os::kSuccess});
    process.Wait();
    EXPECT_EQ(process.ExitCode(), 7u);
    EXPECT_NE(Report().find("[x]"), std::string::npos);
}

TEST_F(StartProcessTest, ExeIsAddedToANameWithoutExtension) {
    WriteProgram(root_ / "Suite/Bin/ZetaCalc.exe", "#!/bin/sh\nexit 3\n");
    EXPECT_EQ(StartAndWait(root_ / "Suite/Bin/ZETACALC -B", root_ / "Proj1").exitCode, 3u);
    EXPECT_EQ(Code{StartAndWait(root_ / "Suite/Bin/ZETACALC.com", root_ / "Proj1").status},
              Code{os::kFileNotFound});
}

TEST_F(StartProcessTest, ExitCodes) {
    WriteProgram(root_ / "Suite/Bin/ok", "#!/bin/sh\nexit 0\n");
    WriteProgram(root_ / "Suite/Bin/killed", "#!/bin/sh\nkill -TERM $$\n");
    EXPECT_EQ(StartAndWait(root_ / "Suite/Bin/ok", root_ / "Proj1").exitCode, 0u);
    EXPECT_EQ(StartAndWait(root_ / "Suite/Bin/killed", root_ / "Proj1").exitCode, 0xC000000Fu);
}

// A host that ignores SIGCHLD (the system then discards every status) or reaps every child
// itself leaves no status to read: that is a failure code, never 0.
TEST_F(StartProcessTest, UnreadableExitStatusIsAFailure) {
    WriteProgram(root_ / "Suite/Bin/ok", "#!/bin/sh\nexit 0\n");
    const os::EnvironmentBlock environment;
    for (const bool ignoreSigchld : {true, false}) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        struct sigaction previous {};
        if (ignoreSigchld) sigaction(SIGCHLD, &ignore, &previous);
        os::Process process;
        ASSERT_EQ(
            Code{os::StartProcess(root_ / "Suite/Bin/ok", environment, root_ / "Proj1", process)},
            Code{os::kSuccess});
        process.Wait();
        if (!ignoreSigchld) {
            while (waitpid(-1, nullptr, WNOHANG) > 0) {  // the host reaps every ended child
            }
        }
        EXPECT_EQ(process.ExitCode(), 0xFFFFFFFFu) << "SIGCHLD ignored: " << ignoreSigchld;
        if (ignoreSigchld) sigaction(SIGCHLD, &previous, nullptr);
    }
}

// execve refuses an environment string of 128 KiB or more; the start names the cause.
TEST_F(StartProcessTest, OverlongPathIsReportedAsSuch) {
    for (const std::size_t length : {std::size_t{100} * 1024, std::size_t{128} * 1024}) {
        std::optional<os::EnvironmentBlock> environment;
        {
            const ScopedVariable path("PATH", std::string(length, 'p'));
            environment.emplace();
        }
        os::Process process;
        const os::Status status =
            os::StartProcess(root_ / "Suite/Bin/probe", *environment, root_ / "Proj1", process);
        if (length < std::size_t{128} * 1024) {
            EXPECT_EQ(Code{status}, Code{os::kSuccess});
            process.Wait();
        } else {
            EXPECT_EQ(Code{status}, Code{10});
            EXPECT_NE(os::ErrorText(status).find("PATH"), std::string::npos);
        }
    }
}

// A project folder deleted under the host: the current directory cannot be told, the project
// directory is empty, and a start there is refused as the win32 backend refuses it.
TEST_F(StartProcessTest, DeletedProjectFolderRefusesTheStart) {
    fs::create_directory(root_ / "Doomed");
    CurrentDirectoryScope inside(root_ / "Doomed");
    fs::remove(root_ / "Doomed");
    const std::optional<std::string> workDir = os::CurrentDirectory();
    EXPECT_FALSE(workDir.has_value());
    EXPECT_EQ(Code{StartAndWait(root_ / "Suite/Bin/probe", workDir.value_or("")).status},
              Code{os::kDirectory});
}

TEST_F(StartProcessTest, ExitCodeOfARunningProcessIsStillActive) {
    const std::string fifo = root_ / "gate";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    WriteProgram(root_ / "Suite/Bin/gated", "#!/bin/sh\ncat \"$1\" > /dev/null\nexit 5\n");
    const os::EnvironmentBlock environment;
    os::Process process;
    ASSERT_EQ(Code{os::StartProcess(root_ / "Suite/Bin/gated " + fifo, environment, root_ / "Proj1",
                                    process)},
              Code{os::kSuccess});
    EXPECT_EQ(process.ExitCode(), 259u);
    std::ofstream(fifo) << "go";  // opening the gate lets the child end
    process.Wait();
    EXPECT_EQ(process.ExitCode(), 5u);
}

TEST_F(StartProcessTest, Failures) {
    WriteWholeFile(root_ / "Suite/Bin/data.txt", "not a program");
    fs::permissions(root_ / "Suite/Bin/data.txt", fs::perms::owner_read | fs::perms::owner_write);
    WriteProgram(root_ / "Suite/Bin/garbage", std::string("\x7F\x01\x02 not an executable", 21));
    const std::string proj = root_ / "Proj1";
    // clang-format off
    EXPECT_EQ(Code{StartAndWait(root_ / "Suite/Bin/missing",      proj).status}, Code{os::kFileNotFound});
    EXPECT_EQ(Code{StartAndWait(root_ / "Suite/None/probe",       proj).status}, Code{os::kPathNotFound});
    EXPECT_EQ(Code{StartAndWait("no-such-program-anywhere",       proj).status}, Code{os::kFileNotFound});
    EXPECT_EQ(Code{StartAndWait("",                               proj).status}, Code{os::kFileNotFound});
    EXPECT_EQ(Code{StartAndWait(root_ / "Suite/Bin/probe",        root_ / "None").status}, Code{os::kDirectory});
    EXPECT_EQ(Code{StartAndWait(root_ / "Suite/Bin/probe",        "").status},             Code{os::kDirectory});
    EXPECT_EQ(Code{StartAndWait(root_ / "Suite/Bin/data.txt",     proj).status}, Code{os::kAccessDenied});
    EXPECT_EQ(Code{StartAndWait(root_ / "Suite/Bin/garbage",      proj).status}, Code{193});
    EXPECT_EQ(Code{StartAndWait(root_ / "Suite/Bin",              proj).status}, Code{os::kAccessDenied});
    // clang-format on
    EXPECT_EQ(Code{os::LastError()}, Code{os::kAccessDenied});
}

TEST_F(StartProcessTest, MovedProcessKeepsTheChild) {
    const os::EnvironmentBlock environment;
    os::Process first;
    ASSERT_EQ(
        Code{os::StartProcess(root_ / "Suite/Bin/probe", environment, root_ / "Proj1", first)},
        Code{os::kSuccess});
    os::Process second = std::move(first);
    EXPECT_FALSE(first.IsValid());  // NOLINT(bugprone-use-after-move): moved-from state is defined
    EXPECT_EQ(first.ExitCode(), 0xFFFFFFFFu);  // no process: never reads as success
    ASSERT_TRUE(second.IsValid());
    second.Wait();
    EXPECT_EQ(second.ExitCode(), 7u);
}

TEST(ShellOpenTest, ProgramRunsWithWindowsSplitParametersInTheCurrentDirectory) {
    TempDir dir;
    WriteProgram(dir / "INSPECT1.EXE", kProbeScript);
    CurrentDirectoryScope inside(dir.Path());
    os::Process process;
    ASSERT_EQ(Code{os::ShellOpen(dir.Path() + "\\inspect1.exe", "-A \"b c\"", process)},
              Code{os::kSuccess});
    ASSERT_TRUE(process.IsValid());
    process.Wait();
    EXPECT_EQ(process.ExitCode(), 7u);
    EXPECT_NE(ReadWholeFile(dir / "report").find("[-A][b c]"), std::string::npos);
}

TEST(ShellOpenTest, FileNameIsNotSplit) {
    TempDir dir;
    WriteProgram(dir / "INSPECT1.EXE", kProbeScript);
    os::Process process;
    EXPECT_EQ(Code{os::ShellOpen(dir / "INSPECT1.EXE -A", "", process)}, Code{os::kFileNotFound});
    EXPECT_EQ(Code{os::ShellOpen(dir / "none/INSPECT1.EXE", "", process)}, Code{os::kPathNotFound});
    EXPECT_FALSE(process.IsValid());
}

TEST(ShellOpenTest, DocumentGoesToTheDesktopOpener) {
    TempDir dir;
    fs::create_directory(dir / "bin");
    WriteProgram(dir / "bin/xdg-open",
                 "#!/bin/sh\nprintf '%s' \"$1\" > '" + (dir / "opened") + "'\n");
    WriteWholeFile(dir / "GUIDE.CHM", "help");
    const ScopedVariable path("PATH", dir / "bin");
    os::Process process;
    ASSERT_EQ(Code{os::ShellOpen(dir / "guide.chm", "", process)}, Code{os::kSuccess});
    process.Wait();
    EXPECT_EQ(process.ExitCode(), 0u);
    EXPECT_EQ(ReadWholeFile(dir / "opened"), dir / "GUIDE.CHM");
}

}  // namespace
