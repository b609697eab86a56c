// A write that would pass the process's file-size limit (ulimit -f) raises SIGXFSZ, whose
// default action ends the process: the host, for a trace or a message log the plug-in writes.
#ifndef TRUV_OS_POSIX_FILE_SIZE_SIGNAL_H
#define TRUV_OS_POSIX_FILE_SIZE_SIGNAL_H

#include <signal.h>

namespace os::posix {

/// Blocks SIGXFSZ on this thread while it lives, so that such a write just fails (EFBIG); a
/// SIGXFSZ raised meanwhile is taken back before the thread's mask is restored.
class FileSizeSignalHeld {
public:
    FileSizeSignalHeld();
    FileSizeSignalHeld(const FileSizeSignalHeld&) = delete;
    FileSizeSignalHeld& operator=(const FileSizeSignalHeld&) = delete;
    ~FileSizeSignalHeld();

private:
    sigset_t signal_;
    sigset_t before_;
};

}  // namespace os::posix

#endif  // TRUV_OS_POSIX_FILE_SIZE_SIGNAL_H
