// Holding SIGXFSZ back around a write.
#include "os/posix/file_size_signal.h"

#include <pthread.h>
#include <time.h>

namespace os::posix {

FileSizeSignalHeld::FileSizeSignalHeld() {
    sigemptyset(&signal_);
    sigaddset(&signal_, SIGXFSZ);
    pthread_sigmask(SIG_BLOCK, &signal_, &before_);
}

FileSizeSignalHeld::~FileSizeSignalHeld() {
    sigset_t pending;
    sigemptyset(&pending);
    if (!sigismember(&before_, SIGXFSZ) && sigpending(&pending) == 0 &&
        sigismember(&pending, SIGXFSZ)) {
        const timespec noWait{};
        sigtimedwait(&signal_, nullptr, &noWait);
    }
    pthread_sigmask(SIG_SETMASK, &before_, nullptr);
}

}  // namespace os::posix
