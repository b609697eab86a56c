// The host's system calls, POSIX half.
#include "host/platform/host_system.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include <algorithm>

#include "os/os.h"
#include "plugin/inspect.h"

namespace host::sys {

std::string Join(const std::string& dir, const std::string& name) {
    return dir + "/" + name;
}

// A GBK trail byte may be 0x5C: only a backslash that starts a character separates.
std::string ShownPath(const std::string& path) {
    std::string shown = path;
    for (std::size_t pos = 0; pos < shown.size(); pos += gbk::CharLength(shown, pos)) {
        if (shown[pos] == '\\') shown[pos] = '/';
    }
    return shown;
}

std::vector<std::string> CommandArguments(int argc, char** argv, bool rawGbk) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(rawGbk ? std::string(argv[i]) : os::Utf8ToGbk(argv[i]));
    }
    return arguments;
}

std::vector<std::string> PathArguments(int argc, char** argv, bool rawGbk) {
    return CommandArguments(argc, argv, rawGbk);
}

std::string UserStateFolder() {
    const std::optional<std::string> state = os::GetEnvironmentVariable("XDG_STATE_HOME");
    if (state && state->starts_with('/')) return *state;
    const std::optional<std::string> home = os::GetEnvironmentVariable("HOME");
    return home && home->starts_with('/') ? *home + "/.local/state" : "";
}

namespace {

bool MakeNativeFolders(const std::string& folder) {
    struct stat info = {};
    if (stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    const std::size_t separator = folder.find_last_of('/');
    if (separator != std::string::npos && separator > 0 &&
        !MakeNativeFolders(folder.substr(0, separator))) {
        return false;
    }
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace

bool MakeFolders(const std::string& folder) {
    return MakeNativeFolders(os::GbkToUtf8(folder));
}

namespace {

// A handler rather than SIG_IGN: a handler does not pass on to the programs started.
void IgnoreSignal(int) {}

}  // namespace

bool PrepareStandardOutput() {
    struct sigaction action {};
    action.sa_handler = IgnoreSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGPIPE, &action, nullptr);
    // Over a file-size limit a write then fails (EFBIG), and the writer's failure path runs:
    // the plug-in's menu file or the recent picks left whole or absent, never half written.
    sigaction(SIGXFSZ, &action, nullptr);
    bool outputOpen = true;
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(stream, F_GETFD) != -1 || errno != EBADF) continue;
        if (stream == STDOUT_FILENO) outputOpen = false;
        // The lowest free descriptor: the closed stream's own.
        open("/dev/null", stream == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
    return outputOpen;
}

bool LastErrorIsClosedPipe() {
    return errno == EPIPE;
}

}  // namespace host::sys
