// An fcntl record lock over the whole file, as another program takes it. It is an open file
// description lock: a classic one of this process would be dropped as soon as the plug-in
// closed any descriptor of the file, which another program's lock is not.
#include "support/file_lock.h"

#include <fcntl.h>
#include <unistd.h>

WholeFileLock::WholeFileLock(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    native_ = fd;
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;  // l_start 0, l_len 0: from the start to any end
    held_ = fcntl(fd, F_OFD_SETLK, &whole) == 0;
}

void WholeFileLock::Release() {
    if (native_ >= 0) close(static_cast<int>(native_));  // drops the lock
    native_ = -1;
    held_ = false;
}
