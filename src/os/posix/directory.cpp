// POSIX half of the OS seam: the current directory, the paths of the executable and of this
// module, and the PATH list separator. Names are translated at this seam (transcode.h): GBK
// from the callers, UTF-8 to the system, and back.
#include <dlfcn.h>
#include <link.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "os/os.h"
#include "os/posix/posix_support.h"
#include "os/posix/system_calls.h"
#include "os/posix/transcode.h"

namespace os {
namespace {

// readlink with a growing buffer; empty on failure.
std::string ReadLink(const char* link) {
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t length = posix::systemCalls.readlink(link, buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(length));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

namespace posix {

std::optional<std::string> NativeCurrentDirectory() {
    std::string buffer(256, '\0');
    for (;;) {
        if (systemCalls.getcwd(buffer.data(), buffer.size()) != nullptr) {
            buffer.resize(buffer.find('\0'));
            return buffer;
        }
        if (errno != ERANGE) {
            FailWithErrno(errno);
            return std::nullopt;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string NativeExecutablePath() {
    return ReadLink("/proc/self/exe");
}

}  // namespace posix

// A folder whose name GBK cannot spell is no current directory the plug-in can name.
std::optional<std::string> CurrentDirectory() {
    const std::optional<std::string> native = posix::NativeCurrentDirectory();
    return native ? posix::GbkName(*native) : std::nullopt;
}

// A path that exists but is no directory gives ERROR_DIRECTORY (267), as on Windows. The
// name as spelled is tried first: when it is a directory, the path resolution would have
// found that name too (its first look is a stat of it).
bool SetCurrentDirectory(const std::string& dir) {
    if (dir.empty()) {
        posix::Fail(kPathNotFound);
        return false;
    }
    const std::optional<std::string> native = posix::NativeName(dir);
    if (!native) return false;
    if (posix::systemCalls.chdir(posix::SpelledPath(*native).c_str()) == 0) return true;
    const posix::ResolvedPath resolved = posix::ResolvePath(*native);
    if (posix::systemCalls.chdir(resolved.path.c_str()) == 0) return true;
    const int error = errno;
    // A file, not a directory, under that name: Windows says so with its own code.
    struct stat info {};
    if (error == ENOTDIR && resolved.exists &&
        posix::systemCalls.stat(resolved.path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
        posix::Fail(kDirectory);
        return false;
    }
    posix::FailWithErrno(error, resolved.parentExists);
    return false;
}

// Empty, as when /proc is missing, for a path GBK cannot spell.
std::string HostExecutablePath() {
    return posix::GbkName(posix::NativeExecutablePath()).value_or("");
}

// dladdr1 names the shared object that holds this function. For code linked into the
// executable itself the loader's record has an empty name, and /proc/self/exe is the answer.
std::string OwnModulePath() {
    Dl_info info{};
    link_map* module = nullptr;
    if (dladdr1(reinterpret_cast<void*>(&OwnModulePath), &info, reinterpret_cast<void**>(&module),
                RTLD_DL_LINKMAP) == 0 ||
        module == nullptr || module->l_name == nullptr || module->l_name[0] == '\0') {
        return HostExecutablePath();
    }
    char* absolute = posix::systemCalls.realpath(module->l_name, nullptr);
    const std::string path = absolute != nullptr ? absolute : module->l_name;
    free(absolute);
    return posix::GbkName(path).value_or("");
}

// Not the ';' of Windows: "PATH" here is read by every program of the system, which splits
// it at ':'; a ';'-joined value would hide the old elements from them.
char PathListSeparator() {
    return ':';
}

}  // namespace os
