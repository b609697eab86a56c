// POSIX half of the OS seam: appending to trace files, the clocks.
//
// O_APPEND makes each write(2) land at the end of the file, also when several processes
// append at once. O_NONBLOCK keeps a FIFO without reader from holding the caller; a regular
// file's writes ignore it.
#include <fcntl.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "os/os.h"
#include "os/posix/posix_support.h"
#include "os/posix/system_calls.h"

namespace os {
namespace {

Status WriteOnce(int fd, const std::string& bytes) {
    for (;;) {
        const ssize_t count = posix::systemCalls.write(fd, bytes.data(), bytes.size());
        if (count >= 0) {
            return static_cast<std::size_t>(count) == bytes.size() ? kSuccess : kDiskFull;
        }
        if (errno != EINTR) {
            return posix::StatusFromErrno(errno);
        }
    }
}

}  // namespace

Status AppendToFile(const std::string& path, const std::string& bytes) {
    const Status savedStatus = LastError();
    const int savedErrno = errno;
    const posix::ResolvedPath resolved = posix::ResolvePath(path);
    Status status = kSuccess;
    const int fd = posix::systemCalls.open(
        resolved.path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
        0644);
    if (fd < 0) {
        status = posix::StatusFromErrno(errno, resolved.parentExists);
    } else {
        status = WriteOnce(fd, bytes);
        close(fd);
    }
    posix::SetLastError(savedStatus);
    errno = savedErrno;
    return status;
}

LocalTime LocalTimeNow() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return {local.tm_year + 1900,
            local.tm_mon + 1,
            local.tm_mday,
            local.tm_hour,
            local.tm_min,
            local.tm_sec,
            static_cast<int>(now.tv_nsec / 1000000)};
}

std::uint64_t SteadyMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000 +
           static_cast<std::uint64_t>(now.tv_nsec) / 1000000;
}

}  // namespace os
