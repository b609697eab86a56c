// The host's system calls, POSIX half.
#include "host/shared/host_system.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include <algorithm>

#include "host/shared/console_text.h"

namespace host::sys {

std::string Join(const std::string& dir, const std::string& name) {
    return dir + "/" + name;
}

std::string ShownPath(const std::string& path) {
    std::string shown = path;
    std::replace(shown.begin(), shown.end(), '\\', '/');
    return shown;
}

std::string PathText(const std::string& path) {
    return Utf8ToGbk(path);
}

const char* LibraryFileName() {
    return "truvApp.so";
}

// The Itanium names of g++ for the same two declarations.
const char* InitExportName() {
    return "_Z11InitTruvAppv";
}
const char* RunExportName() {
    return "_Z10RunCommandPc";
}

// dlopen of a pipe waits for a writer: only a regular file (a link to one) is loaded.
void* OpenLibrary(const std::string& path, std::string& error) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        error = "not a regular file";
        return nullptr;
    }
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) error = dlerror();
    return library;
}

void* FindSymbol(void* library, const char* name) {
    return dlsym(library, name);
}

void CloseLibrary(void* library) {
    dlclose(library);
}

std::vector<std::string> CommandArguments(int argc, char** argv, bool rawGbk) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(rawGbk ? std::string(argv[i]) : Utf8ToGbk(argv[i]));
    }
    return arguments;
}

std::vector<std::string> PathArguments(int argc, char** argv) {
    return {argv + std::min(argc, 1), argv + argc};
}

std::size_t LastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}

std::string UserStateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') return state;
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) + "/.local/state" : "";
}

bool MakeFolders(const std::string& folder) {
    struct stat info = {};
    if (stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    const std::size_t separator = folder.find_last_of('/');
    if (separator != std::string::npos && separator > 0 &&
        !MakeFolders(folder.substr(0, separator))) {
        return false;
    }
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
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
    bool outputOpen = true;
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(stream, F_GETFD) != -1 || errno != EBADF) continue;
        if (stream == STDOUT_FILENO) outputOpen = false;
        // The lowest free descriptor: the closed stream's own.
        open("/dev/null", stream == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
    return outputOpen;
}

bool ReaderClosedOutput() {
    return errno == EPIPE;
}

}  // namespace host::sys
