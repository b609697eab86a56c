// POSIX half of the OS seam: starting processes, waiting for them and reading exit codes.
//
// A Process holds the child's pid (there is no thread handle). Wait and ExitCode look at the
// child with waitid(WNOWAIT), which leaves it unreaped, so the exit code can be read any
// number of times; Close reaps an ended child. A child still running at Close is left alone
// and stays a zombie after it ends (only its parent may reap it, and Close must not block).
// A child killed by a signal reports 0xC0000000 | signal, like a Windows crash status.
// A status that cannot be read (the host ignores SIGCHLD, so the system discards it, or the
// host reaped the child itself) reports 0xFFFFFFFF, as the win32 backend does when
// GetExitCodeProcess fails: never 0, which would pass for success.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "os/command_line.h"
#include "os/os.h"
#include "os/posix/posix_support.h"
#include "os/posix/system_calls.h"
#include "os/posix/transcode.h"

extern char** environ;

namespace os {
namespace {

constexpr std::uint32_t kStillActive = 259;
constexpr std::uint32_t kSignalStatus = 0xC0000000;
constexpr std::uint32_t kUnreadable = 0xFFFFFFFF;

// The longest "NAME=value" string, NUL included, that execve passes on (MAX_ARG_STRLEN).
constexpr std::size_t kLongestEnvironmentString = 32 * 4096;

pid_t Pid(std::intptr_t handle) {
    return static_cast<pid_t>(handle);
}

// The state of an unreaped child; si_pid stays 0 while it runs.
bool PeekChild(pid_t pid, int flags, siginfo_t& info) {
    std::memset(&info, 0, sizeof info);
    for (;;) {
        if (posix::systemCalls.waitid(P_PID, static_cast<id_t>(pid), &info,
                                      WEXITED | WNOWAIT | flags) == 0) {
            return true;
        }
        if (errno != EINTR) {
            return false;
        }
    }
}

// The value of PATH in a "NAME=value" array.
std::string_view SearchPathOf(char* const* envp) {
    for (; envp != nullptr && *envp != nullptr; ++envp) {
        const std::string_view entry = *envp;
        if (entry.substr(0, 5) == "PATH=") {
            return entry.substr(5);
        }
    }
    return {};
}

// execve refuses an environment string of 128 KiB or more with E2BIG, which alone would read
// "Invalid argument"; a "PATH" that long is the usual cause.
bool HasOverlongString(char* const* envp) {
    for (; envp != nullptr && *envp != nullptr; ++envp) {
        if (std::strlen(*envp) + 1 > kLongestEnvironmentString) {
            return true;
        }
    }
    return false;
}

// The child's folder and the closing of every descriptor but the standard three; an error
// number when either cannot be arranged, and the start must not happen: a program started in
// the host's folder, or holding the host's files open, is not the start that was asked for.
int ArrangeFileActions(posix_spawn_file_actions_t& actions, const std::string& directory) {
    if (!directory.empty()) {
        if (const int err = posix::systemCalls.spawnAddChdir(&actions, directory.c_str())) {
            return err;
        }
    }
    return posix::systemCalls.spawnAddClosefrom(&actions, 3);
}

}  // namespace

void Process::Wait() {
    siginfo_t info;
    if (IsValid() && !PeekChild(Pid(handle_), 0, info)) {
        posix::FailWithErrno(errno);
    }
}

std::uint32_t Process::ExitCode() {
    siginfo_t info;
    if (!IsValid()) {
        posix::Fail(kInvalidHandle);
        return kUnreadable;
    }
    if (!PeekChild(Pid(handle_), WNOHANG, info)) {
        posix::FailWithErrno(errno);
        return kUnreadable;
    }
    if (info.si_pid == 0) {
        return kStillActive;
    }
    if (info.si_code == CLD_EXITED) {
        return static_cast<std::uint32_t>(info.si_status);
    }
    return kSignalStatus | static_cast<std::uint32_t>(info.si_status);
}

void Process::Close() {
    if (!IsValid()) {
        return;
    }
    const pid_t pid = Pid(std::exchange(handle_, kNone));
    thread_ = kNone;
    // Reaps an ended child; a running one is left alone.
    posix::systemCalls.waitpid(pid, nullptr, WNOHANG);
}

namespace posix {

// The child gets the standard descriptors only (CreateProcessA with bInheritHandles FALSE),
// default signal dispositions and an empty signal mask.
Status Spawn(const std::string& program, const std::vector<std::string>& args, char* const* envp,
             const std::string& dir, Process& started) {
    std::string directory;
    if (!dir.empty()) {
        ResolvedPath resolved = ResolvePath(dir);
        if (!resolved.isDirectory) {
            return Fail(kDirectory);
        }
        directory = std::move(resolved.path);
    }
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    if (const int err = systemCalls.spawnActionsInit(&actions); err != 0) {
        return FailWithErrno(err);
    }
    if (const int err = ArrangeFileActions(actions, directory); err != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return FailWithErrno(err);
    }
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    char* const* const environment = envp != nullptr ? envp : environ;
    const int err =
        systemCalls.spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environment);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (err == E2BIG && HasOverlongString(environment)) {
        return Fail(kBadEnvironment);
    }
    if (err != 0) {
        return FailWithErrno(err);
    }
    started.Adopt(pid, -1);
    return kSuccess;
}

}  // namespace posix

// An empty current directory is refused, as CreateProcessA refuses it: the project directory
// is empty when the system could not tell it (the folder was deleted under the host), and
// the program must not start in that folder. The command line is split by the rules of GBK
// text, then each argument and the folder are translated (transcode.h), so the program gets
// its arguments in the system's UTF-8, as it gets any other.
Status StartProcess(const std::string& commandLine, const EnvironmentBlock& environment,
                    const std::string& gbkCurrentDir, Process& started) {
    std::vector<std::string> args = SplitCommandLine(commandLine);
    const std::optional<std::string> currentDir = posix::NativeName(gbkCurrentDir);
    if (!currentDir || !posix::TranslateNames(args)) return kInvalidName;
    if (args.empty()) {
        return posix::Fail(kFileNotFound);
    }
    auto* const envp = static_cast<char* const*>(environment.Native());
    const posix::ProgramLookup program = posix::FindProgram(args[0], SearchPathOf(envp));
    if (program.status != kSuccess) {
        return posix::Fail(program.status);
    }
    if (currentDir->empty()) {
        return posix::Fail(kDirectory);
    }
    return posix::Spawn(program.path, args, envp, *currentDir, started);
}

}  // namespace os
