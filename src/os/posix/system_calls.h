// The system calls of the posix backend that can fail in a way a caller must survive, called
// through one table of plain function pointers. The table starts out holding the system's own
// functions, so an ordinary run pays one indirect call and nothing else; a test swaps entries
// to make one chosen call fail (or write short, or be interrupted) and puts them back after.
// Every call the backend makes on a file, a folder, a name, the current folder, the
// environment or a child is here, the looks of the path emulation and the program search
// included; only the message box's own log is not: it is the test's witness.
#ifndef TRUV_OS_POSIX_SYSTEM_CALLS_H
#define TRUV_OS_POSIX_SYSTEM_CALLS_H

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>

namespace os::posix {

// Entries are named in the initialisers (.open = ...), so that two entries of one type can
// never be swapped by their order.
struct SystemCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    int (*close)(int fd);
    ssize_t (*read)(int fd, void* buffer, size_t size);
    ssize_t (*write)(int fd, const void* bytes, size_t size);
    int (*fstat)(int fd, struct stat* info);
    int (*fsync)(int fd);  // a file's data, or a folder's entry list
    int (*flock)(int fd, int operation);
    int (*lockRecord)(int fd, int command, struct flock* lock);  // fcntl's record locks
    off_t (*lseek)(int fd, off_t offset, int whence);
    int (*ftruncate)(int fd, off_t length);
    int (*rename)(const char* from, const char* to);
    int (*renameat2)(int fromDir, const char* from, int toDir, const char* to, unsigned flags);
    int (*link)(const char* from, const char* to);
    int (*unlink)(const char* path);
    int (*stat)(const char* path, struct stat* info);
    int (*lstat)(const char* path, struct stat* info);
    ssize_t (*readlink)(const char* path, char* buffer, size_t size);
    char* (*realpath)(const char* path, char* resolved);
    DIR* (*opendir)(const char* path);
    dirent* (*readdir)(DIR* stream);
    int (*closedir)(DIR* stream);
    int (*chdir)(const char* path);
    char* (*getcwd)(char* buffer, size_t size);
    int (*setenv)(const char* name, const char* value, int overwrite);
    int (*spawnActionsInit)(posix_spawn_file_actions_t* actions);
    int (*spawnAddChdir)(posix_spawn_file_actions_t* actions, const char* dir);
    int (*spawnAddClosefrom)(posix_spawn_file_actions_t* actions, int from);
    int (*spawn)(pid_t* pid, const char* program, const posix_spawn_file_actions_t* actions,
                 const posix_spawnattr_t* attributes, char* const argv[], char* const envp[]);
    int (*waitid)(idtype_t type, id_t id, siginfo_t* info, int options);
    pid_t (*waitpid)(pid_t pid, int* status, int options);
};

/// The calls the backend makes; tests alone replace entries.
extern SystemCalls systemCalls;

/// The system's own functions, as the table holds them at the start.
extern const SystemCalls kSystemCalls;

}  // namespace os::posix

#endif  // TRUV_OS_POSIX_SYSTEM_CALLS_H
