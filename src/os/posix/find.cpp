// POSIX half of the OS seam: the wildcard search.
//
// A search lists the entries of the pattern's directory (resolved without regard to case)
// whose names match the last element with WildcardMatch, names and pattern read as UTF-8 (the
// file system's own bytes: the pattern is translated from GBK first, transcode.h); files and
// directories alike, never "." or "..". The names found are handed back in GBK, in byte order
// of their UTF-8 names, so repeated searches agree; a name GBK cannot spell is left out, as
// no caller could name it back. A listing that fails half-way fails the search: a part of
// it would pass for all. Alternative 8.3 short names do not exist here.
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
#include "os/posix/transcode.h"
#include "os/wildcard.h"

namespace os {
namespace {

struct SearchResult {
    std::vector<std::string> names;
    Status status = kSuccess;
};

// Closes a listing on every way out, a failed allocation included.
struct DirectoryCloser {
    void operator()(DIR* stream) const { posix::systemCalls.closedir(stream); }
};

SearchResult Search(const std::string& gbkPattern) {
    SearchResult result;
    const std::optional<std::string> native = posix::NativeName(gbkPattern);
    if (!native) {
        result.status = kInvalidName;
        return result;
    }
    const std::string& pattern = *native;
    const std::size_t separator = posix::LastSeparator(pattern);
    const std::string dirPart =
        separator == std::string::npos ? "" : pattern.substr(0, separator + 1);
    const std::string namePattern =
        separator == std::string::npos ? pattern : pattern.substr(separator + 1);
    const posix::ResolvedPath dir =
        dirPart.empty() ? posix::ResolvedPath{".", true, true, true} : posix::ResolvePath(dirPart);
    const std::unique_ptr<DIR, DirectoryCloser> stream(
        posix::systemCalls.opendir(dir.path.c_str()));
    if (stream == nullptr) {
        result.status = posix::StatusFromErrno(errno == ENOENT ? ENOTDIR : errno);
        return result;
    }
    std::vector<std::string> found;
    errno = 0;
    while (const dirent* entry = posix::systemCalls.readdir(stream.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && WildcardMatch(namePattern, name, NameEncoding::kUtf8)) {
            found.emplace_back(name);
        }
    }
    if (errno != 0) {
        result.status = posix::StatusFromErrno(errno);
        return result;
    }
    std::sort(found.begin(), found.end());
    for (const std::string& name : found) {
        if (std::optional<std::string> gbk = posix::GbkName(name)) {
            result.names.push_back(std::move(*gbk));
        }
    }
    result.status = result.names.empty() ? kFileNotFound : kSuccess;
    return result;
}

}  // namespace

// The names handed out are GBK, translated at the seam (transcode.h).
NameEncoding FileNameEncoding() {
    return NameEncoding::kGbk;
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
