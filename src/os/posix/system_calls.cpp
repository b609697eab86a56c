// The posix backend's table of system calls, filled with the system's own functions.
#include "os/posix/system_calls.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <unistd.h>

namespace os::posix {
namespace {

// open is variadic; the table holds a function of fixed arguments.
int OpenWithMode(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}

}  // namespace

const SystemCalls kSystemCalls = {
    OpenWithMode,
    ::read,
    ::write,
    ::fsync,
    ::flock,
    ::rename,
    ::renameat2,
    ::link,
    ::unlink,
    ::lstat,
    ::opendir,
    ::posix_spawn_file_actions_init,
    ::posix_spawn_file_actions_addchdir_np,
    ::posix_spawn_file_actions_addclosefrom_np,
    ::posix_spawn,
};

SystemCalls systemCalls = kSystemCalls;

}  // namespace os::posix
