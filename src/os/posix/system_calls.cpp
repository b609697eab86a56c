// The posix backend's table of system calls, filled with the system's own functions.
#include "os/posix/system_calls.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

namespace os::posix {
namespace {

// open and fcntl are variadic; the table holds functions of fixed arguments.
int OpenWithMode(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}

int LockRecord(int fd, int command, struct flock* lock) {
    return ::fcntl(fd, command, lock);
}

}  // namespace

// clang-format off
const SystemCalls kSystemCalls = {
    .open              = OpenWithMode,
    .close             = ::close,
    .read              = ::read,
    .write             = ::write,
    .fstat             = ::fstat,
    .fsync             = ::fsync,
    .flock             = ::flock,
    .lockRecord        = LockRecord,
    .lseek             = ::lseek,
    .ftruncate         = ::ftruncate,
    .rename            = ::rename,
    .renameat2         = ::renameat2,
    .link              = ::link,
    .unlink            = ::unlink,
    .stat              = ::stat,
    .lstat             = ::lstat,
    .readlink          = ::readlink,
    .realpath          = ::realpath,
    .opendir           = ::opendir,
    .readdir           = ::readdir,
    .closedir          = ::closedir,
    .chdir             = ::chdir,
    .getcwd            = ::getcwd,
    .setenv            = ::setenv,
    .spawnActionsInit  = ::posix_spawn_file_actions_init,
    .spawnAddChdir     = ::posix_spawn_file_actions_addchdir_np,
    .spawnAddClosefrom = ::posix_spawn_file_actions_addclosefrom_np,
    .spawn             = ::posix_spawn,
    .waitid            = ::waitid,
    .waitpid           = ::waitpid,
};
// clang-format on

SystemCalls systemCalls = kSystemCalls;

}  // namespace os::posix
