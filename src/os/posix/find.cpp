// POSIX half of the OS seam: the wildcard search.
//
// A search lists the entries of the pattern's directory (resolved without regard to case)
// whose names match the last element with WildcardMatch, names and pattern read as UTF-8 (the
// file system's own bytes, like every path name here); files and directories alike, never
// "." or "..". The entries come in byte order of their names, so repeated searches agree.
// Alternative 8.3 short names do not exist here.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <memory>

#include "os/os.h"
#include "os/posix/posix_support.h"
#include "os/posix/system_calls.h"
#include "os/wildcard.h"

namespace os {
namespace {

struct SearchResult {
    std::vector<std::string> names;
    Status status = kSuccess;
};

// Closes a listing on every way out, a failed allocation included.
struct DirectoryCloser {
    void operator()(DIR* stream) const { closedir(stream); }
};

SearchResult Search(const std::string& pattern) {
    const std::size_t separator = posix::LastSeparator(pattern);
    const std::string dirPart =
        separator == std::string::npos ? "" : pattern.substr(0, separator + 1);
    const std::string namePattern =
        separator == std::string::npos ? pattern : pattern.substr(separator + 1);
    const posix::ResolvedPath dir =
        dirPart.empty() ? posix::ResolvedPath{".", true, true, true} : posix::ResolvePath(dirPart);
    SearchResult result;
    const std::unique_ptr<DIR, DirectoryCloser> stream(
        posix::systemCalls.opendir(dir.path.c_str()));
    if (stream == nullptr) {
        result.status = posix::StatusFromErrno(errno == ENOENT ? ENOTDIR : errno);
        return result;
    }
    while (const dirent* entry = readdir(stream.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && WildcardMatch(namePattern, name, NameEncoding::kUtf8)) {
            result.names.emplace_back(name);
        }
    }
    std::sort(result.names.begin(), result.names.end());
    result.status = result.names.empty() ? kFileNotFound : kSuccess;
    return result;
}

}  // namespace

// Path names on POSIX are the file system's own bytes (see posix_support.h).
NameEncoding FileNameEncoding() {
    return NameEncoding::kUtf8;
}

bool PatternExists(const std::string& pattern) {
    const SearchResult result = Search(pattern);
    if (result.status != kSuccess) {
        posix::Fail(result.status);
    }
    return result.status == kSuccess;
}

std::vector<std::string> FindMatches(const std::string& pattern) {
    SearchResult result = Search(pattern);
    if (result.status != kSuccess) {
        posix::Fail(result.status);
    }
    return std::move(result.names);
}

}  // namespace os
