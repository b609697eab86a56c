// POSIX half of the OS seam: File over a file descriptor. Names come in GBK and are
// translated before anything else (transcode.h).
//
// Exclusive reading: Windows refuses every second open of a file opened with share mode 0.
// POSIX has no such refusal; the open takes a non-blocking flock(LOCK_EX) instead, so any
// holder that also locks (another File of this backend, in this process or another) makes the
// open fail with ERROR_SHARING_VIOLATION (32). Holders that do not lock are not seen.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "os/os.h"
#include "os/posix/posix_support.h"
#include "os/posix/system_calls.h"
#include "os/posix/transcode.h"

namespace os {
namespace {

int Descriptor(std::intptr_t native) {
    return static_cast<int>(native);
}

// A directory cannot be opened as a file (5), as CreateFileA without backup semantics; nor
// can a FIFO or a device, which might never end or never answer. O_NONBLOCK keeps the open of
// a FIFO without writer from waiting; a regular file's reads ignore it. The name as spelled is
// opened first: when that open succeeds, the path resolution would have found that name too
// (its first look is a stat of it), so only a failed open resolves the name.
int OpenRegularFile(const std::string& path) {
    constexpr int kFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
    const std::optional<std::string> native = posix::NativeName(path);
    if (!native) return -1;
    int fd = posix::systemCalls.open(posix::SpelledPath(*native).c_str(), kFlags, 0);
    if (fd < 0) {
        const posix::ResolvedPath resolved = posix::ResolvePath(*native);
        fd = posix::systemCalls.open(resolved.path.c_str(), kFlags, 0);
        if (fd < 0) {
            posix::FailWithErrno(errno, resolved.parentExists);
            return -1;
        }
    }
    struct stat info {};
    if (posix::systemCalls.fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        posix::systemCalls.close(fd);
        posix::Fail(kAccessDenied);
        return -1;
    }
    return fd;
}

}  // namespace

Status File::OpenExclusiveRead(const std::string& path) {
    Close();
    const int fd = OpenRegularFile(path);
    if (fd < 0) {
        return LastError();
    }
    if (posix::systemCalls.flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        posix::systemCalls.close(fd);
        return posix::Fail(err == EWOULDBLOCK ? kSharingViolation : posix::StatusFromErrno(err));
    }
    native_ = fd;
    return kSuccess;
}

// No lock is taken, so holders that lock do not refuse it either.
Status File::OpenSharedRead(const std::string& path) {
    Close();
    const int fd = OpenRegularFile(path);
    if (fd < 0) {
        return LastError();
    }
    native_ = fd;
    return kSuccess;
}

Status File::CreateForWriting(const std::string& path) {
    Close();
    const std::optional<std::string> native = posix::NativeName(path);
    if (!native) return kInvalidName;
    const posix::ResolvedPath resolved = posix::ResolvePath(*native);
    const int fd = posix::systemCalls.open(resolved.path.c_str(),
                                           O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return posix::FailWithErrno(errno, resolved.parentExists);
    }
    native_ = fd;
    return kSuccess;
}

// O_EXCL refuses every existing name, a symbolic link included, whether it leads anywhere.
Status File::CreateNew(const std::string& path) {
    Close();
    const std::optional<std::string> native = posix::NativeName(path);
    if (!native) return kInvalidName;
    const posix::ResolvedPath resolved = posix::ResolvePath(*native);
    const int fd = posix::systemCalls.open(
        resolved.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        return posix::FailWithErrno(errno, resolved.parentExists);
    }
    native_ = fd;
    return kSuccess;
}

long File::Read(char* buffer, long size) {
    if (!IsOpen()) {
        posix::Fail(kInvalidHandle);
        return -1;
    }
    for (;;) {
        const ssize_t count =
            posix::systemCalls.read(Descriptor(native_), buffer, static_cast<std::size_t>(size));
        if (count >= 0) {
            return static_cast<long>(count);
        }
        if (errno != EINTR) {
            posix::FailWithErrno(errno);
            return -1;
        }
    }
}

bool File::Write(const std::string& bytes) {
    if (!IsOpen()) {
        posix::Fail(kInvalidHandle);
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count =
            posix::systemCalls.write(Descriptor(native_), bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            posix::FailWithErrno(count < 0 ? errno : ENOSPC);
            return false;
        }
        done += static_cast<std::size_t>(count);
    }
    return true;
}

std::optional<std::uint64_t> File::SkipToLast(std::uint64_t count) {
    if (!IsOpen()) {
        posix::Fail(kInvalidHandle);
        return std::nullopt;
    }
    pending_.clear();
    atEnd_ = false;
    struct stat info {};
    if (posix::systemCalls.fstat(Descriptor(native_), &info) != 0) {
        posix::FailWithErrno(errno);
        return std::nullopt;
    }
    const std::uint64_t size = static_cast<std::uint64_t>(info.st_size);
    const std::uint64_t skipped = size > count ? size - count : 0;
    if (posix::systemCalls.lseek(Descriptor(native_), static_cast<off_t>(skipped), SEEK_SET) < 0) {
        posix::FailWithErrno(errno);
        return std::nullopt;
    }
    return skipped;
}

bool File::Flush() {
    if (!IsOpen()) {
        posix::Fail(kInvalidHandle);
        return false;
    }
    if (posix::systemCalls.fsync(Descriptor(native_)) != 0) {
        posix::FailWithErrno(errno);
        return false;
    }
    return true;
}

bool File::Close() {
    pending_.clear();
    atEnd_ = false;
    if (!IsOpen()) {
        return true;
    }
    const int fd = Descriptor(std::exchange(native_, kClosed));
    if (posix::systemCalls.close(fd) != 0 &&
        errno != EINTR) {  // after EINTR the descriptor is gone on Linux
        posix::FailWithErrno(errno);
        return false;
    }
    return true;
}

}  // namespace os
