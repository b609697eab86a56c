// POSIX half of the OS seam: wildcard search, deletion and replacement of files.
//
// A search lists the entries of the pattern's directory (resolved without regard to case)
// whose names match the last element with WildcardMatch, names and pattern read as UTF-8 (the
// file system's own bytes, like every path name here); files and directories alike, never
// "." or "..". The entries come in byte order of their names, so repeated searches agree.
// Alternative 8.3 short names do not exist here.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "os/os.h"
#include "os/posix/posix_support.h"
#include "os/wildcard.h"

namespace os {
namespace {

struct SearchResult {
    std::vector<std::string> names;
    Status status = kSuccess;
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
    DIR* stream = opendir(dir.path.c_str());
    if (stream == nullptr) {
        result.status = posix::StatusFromErrno(errno == ENOENT ? ENOTDIR : errno);
        return result;
    }
    while (const dirent* entry = readdir(stream)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && WildcardMatch(namePattern, name, NameEncoding::kUtf8)) {
            result.names.emplace_back(name);
        }
    }
    closedir(stream);
    std::sort(result.names.begin(), result.names.end());
    result.status = result.names.empty() ? kFileNotFound : kSuccess;
    return result;
}

// A file without any write permission bit stands for the read-only attribute. The check is
// made by hand because the owner, and root above all, may unlink such a file here.
bool IsReadOnly(const struct stat& info) {
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
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

// A directory cannot be deleted as a file (5), nor can a read-only file (5).
Status DeleteFile(const std::string& path) {
    const posix::ResolvedPath resolved = posix::ResolvePath(path);
    struct stat info {};
    if (lstat(resolved.path.c_str(), &info) != 0) {
        return posix::FailWithErrno(errno, resolved.parentExists);
    }
    if (S_ISDIR(info.st_mode) || (S_ISREG(info.st_mode) && IsReadOnly(info))) {
        return posix::Fail(kAccessDenied);
    }
    if (unlink(resolved.path.c_str()) != 0) {
        return posix::FailWithErrno(errno, resolved.parentExists);
    }
    return kSuccess;
}

// rename replaces the target in one step. A read-only target refuses to be replaced (5), as
// MoveFileExA with MOVEFILE_REPLACE_EXISTING does.
Status MoveFileReplacing(const std::string& from, const std::string& to) {
    const posix::ResolvedPath source = posix::ResolvePath(from);
    const posix::ResolvedPath target = posix::ResolvePath(to);
    struct stat info {};
    if (lstat(source.path.c_str(), &info) != 0) {
        return posix::FailWithErrno(errno, source.parentExists);
    }
    if (lstat(target.path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && IsReadOnly(info)) {
        return posix::Fail(kAccessDenied);
    }
    if (std::rename(source.path.c_str(), target.path.c_str()) != 0) {
        return posix::FailWithErrno(errno, target.parentExists);
    }
    return kSuccess;
}

}  // namespace os
