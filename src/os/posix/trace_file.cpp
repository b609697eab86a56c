// POSIX half of the OS seam: appending to trace files, file identities, the clocks.
//
// Appends take turns as the win32 backend's do: by a write lock of one byte far beyond any
// end of file. It is an open file description lock (F_OFD_SETLK), which two threads of one
// process hold apart, and which conflicts with the classic record locks of other programs: a
// program that locks the whole file (fcntl from 0 to any end), as Windows log viewers and
// backup tools do with LockFileEx, keeps the appenders out, and they wait for it only a
// moment. In its turn an appender knows the end of the file, so that a write cut short can be
// taken back. A pipe or a device has no end to take back to, and a file system without record
// locks gives no turn: they are written in one write. O_APPEND makes each write(2) land at the end
// also for writers that take no turn; O_NONBLOCK keeps a FIFO without reader from holding the
// caller (a regular file ignores it). A file-size limit (ulimit -f) makes write(2) raise SIGXFSZ,
// which would end the host: it is blocked around the write and a signal it left is taken back, so
// that the write just fails.
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

#include "os/os.h"
#include "os/posix/file_size_signal.h"
#include "os/posix/posix_support.h"
#include "os/posix/system_calls.h"
#include "os/posix/transcode.h"

namespace os {
namespace {

// The byte whose lock is the appenders' turn (the win32 backend's offset): no trace reaches it.
constexpr off_t kTurnOffset = off_t{0x7FFFFFFF} << 32;

Status StatusOfWriteError(int err) {
    return err == EFBIG ? kFileTooLarge : posix::StatusFromErrno(err);
}

Status WriteOnce(int fd, const std::string& bytes) {
    for (;;) {
        const ssize_t count = posix::systemCalls.write(fd, bytes.data(), bytes.size());
        if (count >= 0) {
            return static_cast<std::size_t>(count) == bytes.size() ? kSuccess : kDiskFull;
        }
        if (errno != EINTR) {
            return StatusOfWriteError(errno);
        }
    }
}

// What a lock on a file system without record locks (some network and FUSE file systems)
// answers: ERROR_INVALID_FUNCTION, as Windows answers it where no lock can be taken.
constexpr Status kNoLocks = 1;

// Waits kAppendPatienceMs at most for the turn.
Status TakeTurn(int fd) {
    struct flock turn {};
    turn.l_type = F_WRLCK;
    turn.l_whence = SEEK_SET;
    turn.l_start = kTurnOffset;
    turn.l_len = 1;
    const std::uint64_t deadline = SteadyMilliseconds() + kAppendPatienceMs;
    while (posix::systemCalls.lockRecord(fd, F_OFD_SETLK, &turn) != 0) {
        if (errno == ENOLCK || errno == EINVAL || errno == EOPNOTSUPP) return kNoLocks;
        if (errno != EAGAIN && errno != EACCES && errno != EINTR) {
            return posix::StatusFromErrno(errno);
        }
        if (SteadyMilliseconds() >= deadline) return kLockViolation;
        Pause(1);
    }
    return kSuccess;
}

// In turn: the line goes to the end, and a write cut short is cut off again. The turn ends
// when the descriptor is closed.
Status AppendInTurn(int fd, const std::string& bytes) {
    if (const Status status = TakeTurn(fd); status != kSuccess) {
        return status == kNoLocks ? WriteOnce(fd, bytes) : status;
    }
    const off_t end = posix::systemCalls.lseek(fd, 0, SEEK_END);
    if (end < 0) return posix::StatusFromErrno(errno);
    const Status status = WriteOnce(fd, bytes);
    if (status != kSuccess && posix::systemCalls.lseek(fd, 0, SEEK_END) != end) {
        while (posix::systemCalls.ftruncate(fd, end) != 0 && errno == EINTR) {
        }
    }
    return status;
}

Status AppendTo(int fd, const std::string& bytes) {
    const posix::FileSizeSignalHeld held;
    struct stat info {};
    if (posix::systemCalls.fstat(fd, &info) != 0) return posix::StatusFromErrno(errno);
    return S_ISREG(info.st_mode) ? AppendInTurn(fd, bytes) : WriteOnce(fd, bytes);
}

}  // namespace

Status AppendToFile(const std::string& path, const std::string& bytes) {
    const Status savedStatus = LastError();
    const int savedErrno = errno;
    const std::optional<std::string> native = posix::NativeName(path);
    const posix::ResolvedPath resolved = posix::ResolvePath(native.value_or(""));
    Status status = kInvalidName;
    const int fd =
        !native ? -1
                : posix::systemCalls.open(
                      resolved.path.c_str(),
                      O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (native && fd < 0) {
        status = posix::StatusFromErrno(errno, resolved.parentExists);
    } else if (fd >= 0) {
        status = AppendTo(fd, bytes);
        posix::systemCalls.close(fd);
    }
    posix::SetLastError(savedStatus);
    errno = savedErrno;
    return status;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    const std::optional<std::string> native = posix::NativeName(path);
    struct stat info {};
    if (!native || posix::systemCalls.stat(posix::ResolvePath(*native).path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace os
