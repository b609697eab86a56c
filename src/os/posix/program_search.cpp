// POSIX half of the OS seam: finding the program of a command line as CreateProcessA does.
//
// A bare program name is looked for in the directory of the host executable and then in the
// absolute directories of the PATH of the environment handed to the new process, as the win32
// backend does (which adds the system directories). Never in the current directory: that is
// the project folder, which may come from anyone, and a program placed there must not start
// in place of the one meant. Executables have no ".exe" on POSIX, so NAME is tried before
// NAME.exe. The search works on the file system's names; FindProgramFile translates its
// name from GBK and the path found back (transcode.h).
#include <cstdlib>

#include "os/os.h"
#include "os/posix/posix_support.h"
#include "os/posix/transcode.h"

namespace os::posix {
namespace {

bool HasExtension(std::string_view name) {
    const std::size_t separator = LastSeparator(name);
    const std::size_t start = separator == std::string_view::npos ? 0 : separator + 1;
    return name.find('.', start) != std::string_view::npos;
}

std::string MakeAbsolute(const std::string& path) {
    if (!path.empty() && path[0] == '/') {
        return path;
    }
    const std::optional<std::string> current = NativeCurrentDirectory();
    return current ? *current + "/" + path : path;
}

// The existing non-directory `path` (a Windows-style path), made absolute.
std::optional<std::string> TryExact(const std::string& path) {
    const ResolvedPath resolved = ResolvePath(path);
    if (resolved.exists && !resolved.isDirectory) {
        return MakeAbsolute(resolved.path);
    }
    return std::nullopt;
}

// The program named `candidate`, or, for a name without extension, NAME.exe.
std::optional<std::string> TryCandidate(const std::string& candidate) {
    if (std::optional<std::string> found = TryExact(candidate)) {
        return found;
    }
    if (HasExtension(candidate)) {
        return std::nullopt;
    }
    return TryExact(candidate + ".exe");
}

// The elements of a PATH value, and whether the search looks in one: only an absolute
// folder, for a relative one would be looked up from the current folder.
std::vector<std::string_view> PathElements(std::string_view searchPath) {
    std::vector<std::string_view> elements;
    while (!searchPath.empty()) {
        const std::size_t colon = searchPath.find(':');
        elements.push_back(searchPath.substr(0, colon));
        searchPath = colon == std::string_view::npos ? "" : searchPath.substr(colon + 1);
    }
    return elements;
}

bool IsSearched(std::string_view element) {
    return !element.empty() && element[0] == '/';
}

std::vector<std::string> SearchDirectories(std::string_view searchPath) {
    std::vector<std::string> dirs;
    // Without /proc the host's folder cannot be told; an empty entry would stand for the
    // current folder, which is never searched.
    const std::string host = NativeExecutablePath();
    if (const std::size_t slash = host.rfind('/'); slash != std::string::npos) {
        dirs.push_back(host.substr(0, slash + 1));
    }
    for (const std::string_view element : PathElements(searchPath)) {
        if (IsSearched(element)) dirs.emplace_back(element);
    }
    return dirs;
}

}  // namespace

ProgramLookup FindProgram(const std::string& name, std::string_view searchPath) {
    if (name.empty()) {
        return {{}, kFileNotFound};
    }
    if (LastSeparator(name) != std::string::npos) {
        if (std::optional<std::string> found = TryCandidate(name)) {
            return {*found, kSuccess};
        }
        const ResolvedPath resolved = ResolvePath(name);
        if (resolved.exists) {
            return {{}, kAccessDenied};  // a directory
        }
        return {{}, resolved.parentExists ? kFileNotFound : kPathNotFound};
    }
    for (const std::string& dir : SearchDirectories(searchPath)) {
        const std::string base = dir.empty() || dir.back() == '/' ? dir : dir + "/";
        if (std::optional<std::string> found = TryCandidate(base + name)) {
            return {*found, kSuccess};
        }
    }
    return {{}, kFileNotFound};
}

}  // namespace os::posix

namespace os {

std::optional<std::string> FindProgramFile(const std::string& program) {
    const std::optional<std::string> native = posix::NativeName(program);
    if (!native) return std::nullopt;
    const char* searchPath = std::getenv("PATH");
    const posix::ProgramLookup found = posix::FindProgram(*native, searchPath ? searchPath : "");
    if (found.status != kSuccess) return std::nullopt;
    return posix::GbkName(found.path);
}

std::vector<std::string> UnsearchedPathElements(const std::string& path) {
    std::vector<std::string> passedOver;
    for (const std::string_view element : posix::PathElements(path)) {
        if (!element.empty() && !posix::IsSearched(element)) passedOver.emplace_back(element);
    }
    return passedOver;
}

}  // namespace os
