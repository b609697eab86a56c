// The fault plan over the posix backend's table of system calls.
#include "support/fault_plan.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <mutex>
#include <utility>

#include "os/posix/system_calls.h"

namespace {

using os::posix::kSystemCalls;
using os::posix::systemCalls;

// clang-format off
struct Meaning {
    SystemCall call;
    Fault fault;
    int error;
};
const Meaning kMeanings[] = {
    {SystemCall::kOpen,         Fault::kError,       EACCES},
    {SystemCall::kOpen,         Fault::kNoSpace,     ENOSPC},
    {SystemCall::kRead,         Fault::kError,       EIO},
    {SystemCall::kRead,         Fault::kTryAgain,    EINTR},
    {SystemCall::kWrite,        Fault::kError,       EIO},
    {SystemCall::kWrite,        Fault::kNoSpace,     ENOSPC},
    {SystemCall::kWrite,        Fault::kShort,       0},
    {SystemCall::kWrite,        Fault::kTryAgain,    EINTR},
    {SystemCall::kFlush,        Fault::kError,       EIO},
    {SystemCall::kFlush,        Fault::kUnsupported, EINVAL},
    {SystemCall::kLock,         Fault::kError,       ENOLCK},
    {SystemCall::kLock,         Fault::kHeld,        EWOULDBLOCK},
    {SystemCall::kMove,         Fault::kError,       EACCES},
    {SystemCall::kMove,         Fault::kUnsupported, EINVAL},
    {SystemCall::kLink,         Fault::kError,       EPERM},
    {SystemCall::kLink,         Fault::kNoSpace,     ENOSPC},
    {SystemCall::kDelete,       Fault::kError,       EACCES},
    {SystemCall::kInspect,      Fault::kError,       EACCES},
    {SystemCall::kList,         Fault::kError,       EACCES},
    {SystemCall::kSpawnActions, Fault::kError,       ENOMEM},
    {SystemCall::kSpawn,        Fault::kError,       EAGAIN},
    {SystemCall::kClose,        Fault::kError,       EIO},
    {SystemCall::kClose,        Fault::kTryAgain,    EINTR},
    {SystemCall::kSeek,         Fault::kError,       EIO},
    {SystemCall::kTruncate,     Fault::kError,       EIO},
    {SystemCall::kSetDirectory, Fault::kError,       EACCES},
    {SystemCall::kGetDirectory, Fault::kError,       EACCES},
    {SystemCall::kSetVariable,  Fault::kError,       ENOMEM},
    {SystemCall::kWait,         Fault::kError,       ECHILD},
    {SystemCall::kWait,         Fault::kTryAgain,    EINTR},
};
// clang-format on

int ErrorOf(SystemCall call, Fault fault) {
    for (const Meaning& meaning : kMeanings) {
        if (meaning.call == call && meaning.fault == fault) return meaning.error;
    }
    return EIO;
}

// A call that returns -1 and sets errno.
int FailErrno(SystemCall call, Fault fault) {
    errno = ErrorOf(call, fault);
    return -1;
}

// True, with errno set as the chosen fault sets it, when this call of kind `call` fails.
bool Fails(SystemCall call) {
    Fault fault;
    if (!DecideFault(call, fault)) return false;
    FailErrno(call, fault);
    return true;
}

// A close that fails has still released the descriptor (Linux), as here.
template <typename Closed>
int CloseFailing(Closed closed, int (*close)(Closed)) {
    if (!Fails(SystemCall::kClose)) return close(closed);
    const int err = errno;
    close(closed);
    errno = err;
    return -1;
}

int Close(int fd) {
    return CloseFailing(fd, kSystemCalls.close);
}
int Closedir(DIR* stream) {
    return CloseFailing(stream, kSystemCalls.closedir);
}
int Fstat(int fd, struct stat* info) {
    return Fails(SystemCall::kInspect) ? -1 : kSystemCalls.fstat(fd, info);
}
int Stat(const char* path, struct stat* info) {
    return Fails(SystemCall::kInspect) ? -1 : kSystemCalls.stat(path, info);
}
ssize_t Readlink(const char* path, char* buffer, size_t size) {
    return Fails(SystemCall::kInspect) ? -1 : kSystemCalls.readlink(path, buffer, size);
}
char* Realpath(const char* path, char* resolved) {
    return Fails(SystemCall::kInspect) ? nullptr : kSystemCalls.realpath(path, resolved);
}
dirent* Readdir(DIR* stream) {
    return Fails(SystemCall::kList) ? nullptr : kSystemCalls.readdir(stream);
}
int LockRecord(int fd, int command, struct flock* lock) {
    return Fails(SystemCall::kLock) ? -1 : kSystemCalls.lockRecord(fd, command, lock);
}
off_t Lseek(int fd, off_t offset, int whence) {
    return Fails(SystemCall::kSeek) ? -1 : kSystemCalls.lseek(fd, offset, whence);
}
int Ftruncate(int fd, off_t length) {
    return Fails(SystemCall::kTruncate) ? -1 : kSystemCalls.ftruncate(fd, length);
}
int Chdir(const char* path) {
    return Fails(SystemCall::kSetDirectory) ? -1 : kSystemCalls.chdir(path);
}
char* Getcwd(char* buffer, size_t size) {
    return Fails(SystemCall::kGetDirectory) ? nullptr : kSystemCalls.getcwd(buffer, size);
}
int Setenv(const char* name, const char* value, int overwrite) {
    return Fails(SystemCall::kSetVariable) ? -1 : kSystemCalls.setenv(name, value, overwrite);
}
// A wait fails for real when someone else has reaped the child (ECHILD): an ended child is
// reaped here before the failure, so that no program goes on running behind the caller's
// back. An interrupted wait (EINTR) leaves the child alone.
int Waitid(idtype_t type, id_t id, siginfo_t* info, int options) {
    if (!Fails(SystemCall::kWait)) return kSystemCalls.waitid(type, id, info, options);
    const int err = errno;
    if (err == ECHILD) kSystemCalls.waitid(type, id, info, options & ~WNOWAIT);
    errno = err;
    return -1;
}
pid_t Waitpid(pid_t pid, int* status, int options) {
    if (!Fails(SystemCall::kWait)) return kSystemCalls.waitpid(pid, status, options);
    const int err = errno;
    if (err == ECHILD) kSystemCalls.waitpid(pid, status, options);
    errno = err;
    return -1;
}

int Open(const char* path, int flags, mode_t mode) {
    Fault fault;
    if (DecideFault(SystemCall::kOpen, fault)) return FailErrno(SystemCall::kOpen, fault);
    return kSystemCalls.open(path, flags, mode);
}
ssize_t Read(int fd, void* buffer, size_t size) {
    Fault fault;
    if (DecideFault(SystemCall::kRead, fault)) return FailErrno(SystemCall::kRead, fault);
    return kSystemCalls.read(fd, buffer, size);
}
ssize_t Write(int fd, const void* bytes, size_t size) {
    Fault fault;
    if (!DecideFault(SystemCall::kWrite, fault)) return kSystemCalls.write(fd, bytes, size);
    if (fault == Fault::kShort && size > 1) return kSystemCalls.write(fd, bytes, size / 2);
    return FailErrno(SystemCall::kWrite, fault == Fault::kShort ? Fault::kNoSpace : fault);
}
int Fsync(int fd) {
    Fault fault;
    if (DecideFault(SystemCall::kFlush, fault)) return FailErrno(SystemCall::kFlush, fault);
    return kSystemCalls.fsync(fd);
}
int Flock(int fd, int operation) {
    Fault fault;
    if (DecideFault(SystemCall::kLock, fault)) return FailErrno(SystemCall::kLock, fault);
    return kSystemCalls.flock(fd, operation);
}
int Rename(const char* from, const char* to) {
    Fault fault;
    if (DecideFault(SystemCall::kMove, fault)) return FailErrno(SystemCall::kMove, fault);
    return kSystemCalls.rename(from, to);
}
int Renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    Fault fault;
    if (DecideFault(SystemCall::kMove, fault)) return FailErrno(SystemCall::kMove, fault);
    return kSystemCalls.renameat2(fromDir, from, toDir, to, flags);
}
int Link(const char* from, const char* to) {
    Fault fault;
    if (DecideFault(SystemCall::kLink, fault)) return FailErrno(SystemCall::kLink, fault);
    return kSystemCalls.link(from, to);
}
int Unlink(const char* path) {
    Fault fault;
    if (DecideFault(SystemCall::kDelete, fault)) return FailErrno(SystemCall::kDelete, fault);
    return kSystemCalls.unlink(path);
}
int Lstat(const char* path, struct stat* info) {
    Fault fault;
    if (DecideFault(SystemCall::kInspect, fault)) return FailErrno(SystemCall::kInspect, fault);
    return kSystemCalls.lstat(path, info);
}
DIR* Opendir(const char* path) {
    Fault fault;
    if (DecideFault(SystemCall::kList, fault)) {
        FailErrno(SystemCall::kList, fault);
        return nullptr;
    }
    return kSystemCalls.opendir(path);
}
int ActionsInit(posix_spawn_file_actions_t* actions) {
    Fault fault;
    if (DecideFault(SystemCall::kSpawnActions, fault))
        return ErrorOf(SystemCall::kSpawnActions, fault);
    return kSystemCalls.spawnActionsInit(actions);
}
int AddChdir(posix_spawn_file_actions_t* actions, const char* dir) {
    Fault fault;
    if (DecideFault(SystemCall::kSpawnActions, fault))
        return ErrorOf(SystemCall::kSpawnActions, fault);
    return kSystemCalls.spawnAddChdir(actions, dir);
}
int AddClosefrom(posix_spawn_file_actions_t* actions, int from) {
    Fault fault;
    if (DecideFault(SystemCall::kSpawnActions, fault))
        return ErrorOf(SystemCall::kSpawnActions, fault);
    return kSystemCalls.spawnAddClosefrom(actions, from);
}
int Spawn(pid_t* pid, const char* program, const posix_spawn_file_actions_t* actions,
          const posix_spawnattr_t* attributes, char* const argv[], char* const envp[]) {
    Fault fault;
    if (DecideFault(SystemCall::kSpawn, fault)) return ErrorOf(SystemCall::kSpawn, fault);
    return kSystemCalls.spawn(pid, program, actions, attributes, argv, envp);
}

}  // namespace

bool SyncsFolders() {
    return true;
}

std::vector<Fault> FaultsOf(SystemCall call) {
    std::vector<Fault> faults;
    for (const Meaning& meaning : kMeanings) {
        if (meaning.call == call) faults.push_back(meaning.fault);
    }
    return faults;
}

FaultPlan::FaultPlan() {
    CountOnly();
    // clang-format off
    systemCalls = {
        .open              = Open,
        .close             = Close,
        .read              = Read,
        .write             = Write,
        .fstat             = Fstat,
        .fsync             = Fsync,
        .flock             = Flock,
        .lockRecord        = LockRecord,
        .lseek             = Lseek,
        .ftruncate         = Ftruncate,
        .rename            = Rename,
        .renameat2         = Renameat2,
        .link              = Link,
        .unlink            = Unlink,
        .stat              = Stat,
        .lstat             = Lstat,
        .readlink          = Readlink,
        .realpath          = Realpath,
        .opendir           = Opendir,
        .readdir           = Readdir,
        .closedir          = Closedir,
        .chdir             = Chdir,
        .getcwd            = Getcwd,
        .setenv            = Setenv,
        .spawnActionsInit  = ActionsInit,
        .spawnAddChdir     = AddChdir,
        .spawnAddClosefrom = AddClosefrom,
        .spawn             = Spawn,
        .waitid            = Waitid,
        .waitpid           = Waitpid,
    };
    // clang-format on
}

FaultPlan::~FaultPlan() {
    systemCalls = kSystemCalls;
}
