// Failing one system call of the OS layer at a time, through the backend's table of calls:
// a counting pass learns which calls an operation makes, then each one is failed in turn.
#ifndef TRUV_TESTS_SUPPORT_FAULT_PLAN_H
#define TRUV_TESTS_SUPPORT_FAULT_PLAN_H

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

/// The kinds of calls the table holds, on either platform.
enum class SystemCall {
    kOpen,          // open / CreateFileA
    kRead,          // read / ReadFile
    kWrite,         // write / WriteFile
    kFlush,         // fsync of a file or a folder / FlushFileBuffers
    kLock,          // flock, fcntl's record locks / LockFileEx
    kMove,          // rename, renameat2 / MoveFileExA
    kLink,          // link (the fallback of a move that cannot refuse to replace)
    kDelete,        // unlink / DeleteFileA
    kInspect,       // stat, lstat, fstat, readlink, realpath / GetFileAttributesExA
    kList,          // opendir, readdir / FindFirstFileA
    kSpawnActions,  // posix_spawn_file_actions_*
    kSpawn,         // posix_spawn / CreateProcessA
    kSetDirectory,  // chdir / SetCurrentDirectoryA
    kGetDirectory,  // getcwd / GetCurrentDirectoryA
    kSetVariable,   // setenv / SetEnvironmentVariableA
    kWait,          // waitid, waitpid / WaitForSingleObject
    kExitCode,      // GetExitCodeProcess (POSIX: the wait tells it)
    kShell,         // ShellExecuteExA
    kListNext,      // readdir / FindNextFileA
    kSize,          // fstat / GetFileSizeEx
    kSeek,          // lseek / SetFilePointerEx
    kTruncate,      // ftruncate / SetEndOfFile
    kUnlock,        // fcntl (unlock) / UnlockFileEx
    kIdentity,      // fstat, stat / GetFileInformationByHandle
    kClose,         // close, closedir / CloseHandle
    kRegistry,      // RegOpenKeyExA, RegQueryValueExA (the posix store is read as a file)
};

/// How the chosen call fails.
enum class Fault {
    kError,        // the call's most ordinary failure (a disk error, access denied, no memory)
    kNoSpace,      // the disk is full
    kShort,        // a write writes half of what it was given
    kTryAgain,     // interrupted: the caller is to try again
    kHeld,         // another program holds the file (a sharing or lock violation)
    kUnsupported,  // the file system cannot do it (EINVAL / ENOTSUP)
};

/// For the backends' tables: records a call of kind `call`; true, with how it fails, when it
/// is the one chosen to fail.
bool DecideFault(SystemCall call, Fault& fault);

/// True where a durable move synchronises its folder with a call of its own (a second flush).
bool SyncsFolders();

/// The faults a call of `call` can meet.
std::vector<Fault> FaultsOf(SystemCall call);

std::string NameOf(SystemCall call);
std::string NameOf(Fault fault);

/// While it lives, every call of the table passes through it: counted, and failed when chosen.
class FaultPlan {
public:
    FaultPlan();
    FaultPlan(const FaultPlan&) = delete;
    FaultPlan& operator=(const FaultPlan&) = delete;
    ~FaultPlan();

    /// Counts from here on, failing nothing and running no action.
    void CountOnly();
    /// The `number`th call from here on (1 for the next) fails with `fault`.
    void FailCall(std::size_t number, Fault fault);
    /// The `occurrence`th call of kind `call` from here on (1 for the next) fails with `fault`.
    void FailNth(SystemCall call, std::size_t occurrence, Fault fault);
    /// As FailNth, keeping the calls chosen to fail so far.
    void AlsoFailNth(SystemCall call, std::size_t occurrence, Fault fault);
    /// Once, just before the `occurrence`th call of kind `call` from here on is made, runs
    /// `action` on the calling thread (which may call the table itself: those calls are counted
    /// first); the call is then made or failed as chosen.
    void BeforeNth(SystemCall call, std::size_t occurrence, std::function<void()> action);
    /// The calls made since the last CountOnly or Fail.
    std::vector<SystemCall> Calls() const;
    /// True once the chosen call was made and failed.
    bool Fired() const;
};

#endif  // TRUV_TESTS_SUPPORT_FAULT_PLAN_H
