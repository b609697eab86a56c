// POSIX half of the recent picks: the lock two hosts of one user take turns at, a record lock
// on the lock file, given back by the system when a host ends however it ends.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/items/recent_picks.h"
#include "plugin/inspect.h"

namespace host {
namespace {

// A host holds the lock while it reads and writes ten lines: a few milliseconds.
constexpr int kTries = 100;
constexpr std::uint32_t kPauseMs = 10;

bool TryLock(int fd) {
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    return fcntl(fd, F_SETLK, &whole) == 0;
}

}  // namespace

PicksLock::PicksLock(const std::string& path)
    : native_(open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600)) {
    struct stat info {};
    if (native_ < 0 || fstat(static_cast<int>(native_), &info) != 0 || !S_ISREG(info.st_mode)) {
        return;
    }
    for (int attempt = 0; attempt < kTries && !held_; ++attempt) {
        held_ = TryLock(static_cast<int>(native_));
        if (!held_) os::Pause(kPauseMs);
    }
}

PicksLock::~PicksLock() {
    if (native_ >= 0) close(static_cast<int>(native_));
}

}  // namespace host
