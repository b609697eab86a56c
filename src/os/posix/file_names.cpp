// POSIX half of the OS seam: deleting, renaming and looking at one name. Names are resolved
// without regard to case (posix_support.h), as Windows resolves them, after their translation
// from GBK (transcode.h).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "os/os.h"
#include "os/posix/posix_support.h"
#include "os/posix/system_calls.h"
#include "os/posix/transcode.h"

namespace os {
namespace {

// A file without any write permission bit stands for the read-only attribute. The check is
// made by hand because the owner, and root above all, may unlink such a file here.
bool IsReadOnly(const struct stat& info) {
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

// A directory cannot be deleted as a file (5), nor can a read-only file (5).
Status DeleteFile(const std::string& path) {
    const std::optional<std::string> native = posix::NativeName(path);
    if (!native) return kInvalidName;
    const posix::ResolvedPath resolved = posix::ResolvePath(*native);
    struct stat info {};
    if (posix::systemCalls.lstat(resolved.path.c_str(), &info) != 0) {
        return posix::FailWithErrno(errno, resolved.parentExists);
    }
    if (S_ISDIR(info.st_mode) || (S_ISREG(info.st_mode) && IsReadOnly(info))) {
        return posix::Fail(kAccessDenied);
    }
    if (posix::systemCalls.unlink(resolved.path.c_str()) != 0) {
        return posix::FailWithErrno(errno, resolved.parentExists);
    }
    return kSuccess;
}

namespace {

// rename, or without `replace` renameat2 with RENAME_NOREPLACE; a file system that cannot
// refuse a rename that way gets a hard link and the unlink of the old name instead.
int Rename(const char* from, const char* to, bool replace) {
    if (replace) return posix::systemCalls.rename(from, to);
    const int renamed =
        posix::systemCalls.renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
    if (renamed == 0 || errno != EINVAL) return renamed;
    if (posix::systemCalls.link(from, to) != 0) return -1;
    return posix::systemCalls.unlink(from);
}

// The folder's own entry list reaches the disk: without this a renamed file can come back
// under its old name, or not at all, after a power loss. Some file systems (network and FUSE
// ones) cannot synchronise a folder and say so with EINVAL or ENOTSUP; the rename has happened
// and is as durable there as it can be made, so that is no failure.
int SyncFolderOf(const std::string& path) {
    const std::size_t separator = path.rfind('/');
    const std::string folder = separator == std::string::npos ? "." : path.substr(0, separator + 1);
    const int fd = posix::systemCalls.open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return -1;
    const int synced = posix::systemCalls.fsync(fd);
    const int err = errno;
    posix::systemCalls.close(fd);
    errno = err;
    return synced != 0 && (err == EINVAL || err == ENOTSUP) ? 0 : synced;
}

}  // namespace

// A read-only target refuses to be replaced (5), as MoveFileExA with MOVEFILE_REPLACE_EXISTING
// does. MOVEFILE_WRITE_THROUGH: the folder is synchronised after the rename. A new name beside
// the source is taken as spelled in the source's folder: the caller has just found nothing
// under it.
Status MoveFileDurably(const std::string& from, const std::string& to, bool replaceExisting) {
    const std::optional<std::string> nativeFrom = posix::NativeName(from);
    const std::optional<std::string> nativeTo = nativeFrom ? posix::NativeName(to) : std::nullopt;
    if (!nativeTo) return kInvalidName;
    const posix::ResolvedPath source = posix::ResolvePath(*nativeFrom);
    const posix::ResolvedPath target = replaceExisting
                                           ? posix::ResolvePath(*nativeTo)
                                           : posix::ResolveBeside(source, *nativeFrom, *nativeTo);
    struct stat info {};
    if (!source.exists && posix::systemCalls.lstat(source.path.c_str(), &info) != 0) {
        return posix::FailWithErrno(errno, source.parentExists);
    }
    // Without replacing, the rename refuses whatever stands under the name, read-only or not.
    if (replaceExisting && posix::systemCalls.lstat(target.path.c_str(), &info) == 0 &&
        S_ISREG(info.st_mode) && IsReadOnly(info)) {
        return posix::Fail(kAccessDenied);
    }
    if (Rename(source.path.c_str(), target.path.c_str(), replaceExisting) != 0) {
        return posix::FailWithErrno(errno, target.parentExists);
    }
    if (SyncFolderOf(target.path) != 0) {
        return posix::FailWithErrno(errno);
    }
    return kSuccess;
}

NameInfo LookAtName(const std::string& path) {
    NameInfo result;
    const std::optional<std::string> native = posix::NativeName(path);
    if (!native) return result;
    const posix::ResolvedPath resolved = posix::ResolvePath(*native);
    struct stat info {};
    if (posix::systemCalls.lstat(resolved.path.c_str(), &info) != 0) {
        posix::FailWithErrno(errno);
        return result;
    }
    result.kind = S_ISREG(info.st_mode)   ? NameInfo::Kind::kFile
                  : S_ISDIR(info.st_mode) ? NameInfo::Kind::kFolder
                                          : NameInfo::Kind::kOther;
    result.size = S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
    result.secondsSinceWrite = static_cast<std::int64_t>(std::time(nullptr) - info.st_mtime);
    return result;
}

}  // namespace os
