// POSIX half of the OS seam: starting processes, waiting for them and reading exit codes.
//
// A Process holds the child's pid (there is no thread handle). Wait and ExitCode look at the
// child with waitid(WNOWAIT), which leaves it unreaped, so the exit code can be read any
// number of times; Close reaps an ended child. A child still running at Close is left alone
// and stays a zombie after it ends (only its parent may reap it, and Close must not block).
// A child killed by a signal reports 0xC0000000 | signal, like a Windows crash status.
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "os/command_line.h"
#include "os/os.h"
#include "os/posix/posix_support.h"

extern char** environ;

namespace os {
namespace {

constexpr std::uint32_t kStillActive = 259;
constexpr std::uint32_t kSignalStatus = 0xC0000000;

pid_t Pid(std::intptr_t handle) {
    return static_cast<pid_t>(handle);
}

// The state of an unreaped child; si_pid stays 0 while it runs.
bool PeekChild(pid_t pid, int flags, siginfo_t& info) {
    std::memset(&info, 0, sizeof info);
    for (;;) {
        if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT | flags) == 0) {
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

bool IsDirectoryPath(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

void Process::Wait() {
    siginfo_t info;
    if (IsValid() && !PeekChild(Pid(handle_), 0, info)) {
        posix::FailWithErrno(errno);
    }
}

// A child whose status was taken by someone else (the host reaping every child, or ignoring
// SIGCHLD) has no code left to read: it reports 0, with the last error set.
std::uint32_t Process::ExitCode() {
    siginfo_t info;
    if (!IsValid()) {
        posix::Fail(kInvalidHandle);
        return 0;
    }
    if (!PeekChild(Pid(handle_), WNOHANG, info)) {
        posix::FailWithErrno(errno);
        return 0;
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
    siginfo_t info;
    if (PeekChild(pid, WNOHANG, info) && info.si_pid != 0) {
        waitpid(pid, nullptr, WNOHANG);
    }
}

namespace posix {

// The child gets the standard descriptors only (CreateProcessA with bInheritHandles FALSE),
// default signal dispositions and an empty signal mask.
Status Spawn(const std::string& program, const std::vector<std::string>& args, char* const* envp,
             const std::string& dir, Process& started) {
    std::string directory;
    if (!dir.empty()) {
        const ResolvedPath resolved = ResolvePath(dir);
        if (!resolved.exists || !IsDirectoryPath(resolved.path)) {
            return Fail(kDirectory);
        }
        directory = resolved.path;
    }
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!directory.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    }
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int err = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(),
                                envp != nullptr ? envp : environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (err != 0) {
        return FailWithErrno(err);
    }
    started.Adopt(pid, -1);
    return kSuccess;
}

}  // namespace posix

Status StartProcess(const std::string& commandLine, const EnvironmentBlock& environment,
                    const std::string& currentDir, Process& started) {
    const std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty()) {
        return posix::Fail(kFileNotFound);
    }
    auto* const envp = static_cast<char* const*>(environment.Native());
    const posix::ProgramLookup program = posix::FindProgram(args[0], SearchPathOf(envp));
    if (program.status != kSuccess) {
        return posix::Fail(program.status);
    }
    return posix::Spawn(program.path, args, envp, currentDir, started);
}

}  // namespace os
