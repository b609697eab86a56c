// The system calls of the posix backend that can fail in a way a caller must survive, called
// through one table of plain function pointers. The table starts out holding the system's own
// functions, so an ordinary run pays one indirect call and nothing else; a test swaps entries
// to make one chosen call fail (or write short, or be interrupted) and puts them back after.
// Calls that only look (stat on the way through a path) and the message box's own log are not
// in the table: the first cannot leave anything half done, the second is the test's witness.
#ifndef TRUV_OS_POSIX_SYSTEM_CALLS_H
#define TRUV_OS_POSIX_SYSTEM_CALLS_H

#include <dirent.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>

namespace os::posix {

struct SystemCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    ssize_t (*read)(int fd, void* buffer, size_t size);
    ssize_t (*write)(int fd, const void* bytes, size_t size);
    int (*fsync)(int fd);  // a file's data, or a folder's entry list
    int (*flock)(int fd, int operation);
    int (*rename)(const char* from, const char* to);
    int (*renameat2)(int fromDir, const char* from, int toDir, const char* to, unsigned flags);
    int (*link)(const char* from, const char* to);
    int (*unlink)(const char* path);
    int (*lstat)(const char* path, struct stat* info);
    DIR* (*opendir)(const char* path);
    int (*spawnActionsInit)(posix_spawn_file_actions_t* actions);
    int (*spawnAddChdir)(posix_spawn_file_actions_t* actions, const char* dir);
    int (*spawnAddClosefrom)(posix_spawn_file_actions_t* actions, int from);
    int (*spawn)(pid_t* pid, const char* program, const posix_spawn_file_actions_t* actions,
                 const posix_spawnattr_t* attributes, char* const argv[], char* const envp[]);
};

/// The calls the backend makes; tests alone replace entries.
extern SystemCalls systemCalls;

/// The system's own functions, as the table holds them at the start.
extern const SystemCalls kSystemCalls;

}  // namespace os::posix

#endif  // TRUV_OS_POSIX_SYSTEM_CALLS_H
