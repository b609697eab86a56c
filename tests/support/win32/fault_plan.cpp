// The fault plan over the win32 backend's table of system calls.
#include "support/fault_plan.h"

#include <algorithm>
#include <iterator>
#include <mutex>
#include <utility>

#include "os/win32/system_calls.h"

namespace {

using os::win32::kSystemCalls;
using os::win32::systemCalls;

// clang-format off
struct Meaning {
    SystemCall call;
    Fault fault;
    DWORD error;
};
const Meaning kMeanings[] = {
    {SystemCall::kOpen,     Fault::kError,   ERROR_ACCESS_DENIED},
    {SystemCall::kOpen,     Fault::kNoSpace, ERROR_DISK_FULL},
    {SystemCall::kOpen,     Fault::kHeld,    ERROR_SHARING_VIOLATION},
    {SystemCall::kRead,     Fault::kError,   ERROR_READ_FAULT},
    {SystemCall::kWrite,    Fault::kError,   ERROR_WRITE_FAULT},
    {SystemCall::kWrite,    Fault::kNoSpace, ERROR_DISK_FULL},
    {SystemCall::kWrite,    Fault::kShort,   ERROR_SUCCESS},
    {SystemCall::kFlush,    Fault::kError,   ERROR_WRITE_FAULT},
    {SystemCall::kLock,     Fault::kHeld,    ERROR_LOCK_VIOLATION},
    {SystemCall::kMove,     Fault::kError,   ERROR_ACCESS_DENIED},
    {SystemCall::kMove,     Fault::kHeld,    ERROR_SHARING_VIOLATION},
    {SystemCall::kMove,     Fault::kUnsupported, ERROR_INVALID_PARAMETER},
    {SystemCall::kDelete,   Fault::kError,   ERROR_ACCESS_DENIED},
    {SystemCall::kInspect,  Fault::kError,   ERROR_ACCESS_DENIED},
    {SystemCall::kList,     Fault::kError,   ERROR_ACCESS_DENIED},
    {SystemCall::kSpawn,    Fault::kError,   ERROR_NOT_ENOUGH_MEMORY},
    {SystemCall::kSetDirectory, Fault::kError, ERROR_ACCESS_DENIED},
    {SystemCall::kGetDirectory, Fault::kError, ERROR_NOT_ENOUGH_MEMORY},
    {SystemCall::kSetVariable,  Fault::kError, ERROR_NOT_ENOUGH_MEMORY},
    {SystemCall::kWait,     Fault::kError,   ERROR_INVALID_HANDLE},
    {SystemCall::kExitCode, Fault::kError,   ERROR_ACCESS_DENIED},
    {SystemCall::kShell,    Fault::kError,   ERROR_FILE_NOT_FOUND},
    {SystemCall::kListNext, Fault::kError,   ERROR_NOT_ENOUGH_MEMORY},
    {SystemCall::kSize,     Fault::kError,   ERROR_ACCESS_DENIED},
    {SystemCall::kSeek,     Fault::kError,   ERROR_INVALID_PARAMETER},
    {SystemCall::kTruncate, Fault::kError,   ERROR_DISK_FULL},
    {SystemCall::kUnlock,   Fault::kError,   ERROR_NOT_LOCKED},
    {SystemCall::kIdentity, Fault::kError,   ERROR_ACCESS_DENIED},
    {SystemCall::kClose,    Fault::kError,   ERROR_INVALID_HANDLE},
    {SystemCall::kRegistry, Fault::kError,   ERROR_ACCESS_DENIED},
};
// clang-format on

DWORD ErrorOf(SystemCall call, Fault fault) {
    for (const Meaning& meaning : kMeanings) {
        if (meaning.call == call && meaning.fault == fault) return meaning.error;
    }
    return ERROR_GEN_FAILURE;
}

// A call that returns FALSE and sets the last error.
BOOL Fail(SystemCall call, Fault fault) {
    SetLastError(ErrorOf(call, fault));
    return FALSE;
}

HANDLE WINAPI FaultyCreateFile(LPCSTR path, DWORD access, DWORD share,
                               LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                               HANDLE model) {
    Fault fault;
    if (DecideFault(SystemCall::kOpen, fault)) {
        Fail(SystemCall::kOpen, fault);
        return INVALID_HANDLE_VALUE;
    }
    return kSystemCalls.createFile(path, access, share, security, disposition, flags, model);
}
BOOL WINAPI FaultyReadFile(HANDLE file, LPVOID buffer, DWORD size, LPDWORD read,
                           LPOVERLAPPED overlapped) {
    Fault fault;
    if (DecideFault(SystemCall::kRead, fault)) return Fail(SystemCall::kRead, fault);
    return kSystemCalls.readFile(file, buffer, size, read, overlapped);
}
BOOL WINAPI FaultyWriteFile(HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written,
                            LPOVERLAPPED overlapped) {
    Fault fault;
    if (!DecideFault(SystemCall::kWrite, fault)) {
        return kSystemCalls.writeFile(file, bytes, size, written, overlapped);
    }
    if (fault == Fault::kShort && size > 1) {
        return kSystemCalls.writeFile(file, bytes, size / 2, written, overlapped);
    }
    return Fail(SystemCall::kWrite, fault == Fault::kShort ? Fault::kNoSpace : fault);
}
BOOL WINAPI FaultyFlush(HANDLE file) {
    Fault fault;
    if (DecideFault(SystemCall::kFlush, fault)) return Fail(SystemCall::kFlush, fault);
    return kSystemCalls.flushFileBuffers(file);
}
BOOL WINAPI FaultyLock(HANDLE file, DWORD flags, DWORD reserved, DWORD low, DWORD high,
                       LPOVERLAPPED overlapped) {
    Fault fault;
    if (DecideFault(SystemCall::kLock, fault)) return Fail(SystemCall::kLock, fault);
    return kSystemCalls.lockFileEx(file, flags, reserved, low, high, overlapped);
}
BOOL WINAPI FaultyMove(LPCSTR from, LPCSTR to, DWORD flags) {
    Fault fault;
    if (DecideFault(SystemCall::kMove, fault)) return Fail(SystemCall::kMove, fault);
    return kSystemCalls.moveFileEx(from, to, flags);
}
BOOL WINAPI FaultyDelete(LPCSTR path) {
    Fault fault;
    if (DecideFault(SystemCall::kDelete, fault)) return Fail(SystemCall::kDelete, fault);
    return kSystemCalls.deleteFile(path);
}
BOOL WINAPI FaultyInspect(LPCSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID data) {
    Fault fault;
    if (DecideFault(SystemCall::kInspect, fault)) return Fail(SystemCall::kInspect, fault);
    return kSystemCalls.getFileAttributesEx(path, level, data);
}
HANDLE WINAPI FaultyFindFirst(LPCSTR pattern, LPWIN32_FIND_DATAA entry) {
    Fault fault;
    if (DecideFault(SystemCall::kList, fault)) {
        Fail(SystemCall::kList, fault);
        return INVALID_HANDLE_VALUE;
    }
    return kSystemCalls.findFirstFile(pattern, entry);
}
BOOL WINAPI FaultyCreateProcess(LPCSTR program, LPSTR commandLine, LPSECURITY_ATTRIBUTES process,
                                LPSECURITY_ATTRIBUTES thread, BOOL inherit, DWORD flags,
                                LPVOID environment, LPCSTR dir, LPSTARTUPINFOA startup,
                                LPPROCESS_INFORMATION info) {
    Fault fault;
    if (DecideFault(SystemCall::kSpawn, fault)) return Fail(SystemCall::kSpawn, fault);
    return kSystemCalls.createProcess(program, commandLine, process, thread, inherit, flags,
                                      environment, dir, startup, info);
}
LSTATUS WINAPI FaultyRegOpen(HKEY root, LPCSTR subKey, DWORD options, REGSAM access, PHKEY key) {
    Fault fault;
    if (DecideFault(SystemCall::kRegistry, fault)) {
        return static_cast<LSTATUS>(ErrorOf(SystemCall::kRegistry, fault));
    }
    return kSystemCalls.regOpenKeyEx(root, subKey, options, access, key);
}
LSTATUS WINAPI FaultyRegQuery(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                              LPDWORD size) {
    Fault fault;
    if (DecideFault(SystemCall::kRegistry, fault)) {
        return static_cast<LSTATUS>(ErrorOf(SystemCall::kRegistry, fault));
    }
    return kSystemCalls.regQueryValueEx(key, name, reserved, type, data, size);
}

BOOL WINAPI FaultySize(HANDLE file, PLARGE_INTEGER size) {
    Fault fault;
    if (DecideFault(SystemCall::kSize, fault)) return Fail(SystemCall::kSize, fault);
    return kSystemCalls.getFileSizeEx(file, size);
}
BOOL WINAPI FaultySeek(HANDLE file, LARGE_INTEGER distance, PLARGE_INTEGER position, DWORD from) {
    Fault fault;
    if (DecideFault(SystemCall::kSeek, fault)) return Fail(SystemCall::kSeek, fault);
    return kSystemCalls.setFilePointerEx(file, distance, position, from);
}
BOOL WINAPI FaultyTruncate(HANDLE file) {
    Fault fault;
    if (DecideFault(SystemCall::kTruncate, fault)) return Fail(SystemCall::kTruncate, fault);
    return kSystemCalls.setEndOfFile(file);
}
BOOL WINAPI FaultyUnlock(HANDLE file, DWORD reserved, DWORD low, DWORD high,
                         LPOVERLAPPED overlapped) {
    Fault fault;
    if (DecideFault(SystemCall::kUnlock, fault)) return Fail(SystemCall::kUnlock, fault);
    return kSystemCalls.unlockFileEx(file, reserved, low, high, overlapped);
}
BOOL WINAPI FaultyIdentity(HANDLE file, LPBY_HANDLE_FILE_INFORMATION info) {
    Fault fault;
    if (DecideFault(SystemCall::kIdentity, fault)) return Fail(SystemCall::kIdentity, fault);
    return kSystemCalls.getFileInformationByHandle(file, info);
}
// A handle whose close fails is gone all the same, as the system leaves it.
BOOL WINAPI FaultyClose(HANDLE handle) {
    Fault fault;
    const bool failed = DecideFault(SystemCall::kClose, fault);
    const BOOL closed = kSystemCalls.closeHandle(handle);
    return failed ? Fail(SystemCall::kClose, fault) : closed;
}
DWORD WINAPI FaultyAttributes(LPCSTR path) {
    Fault fault;
    if (DecideFault(SystemCall::kInspect, fault)) {
        Fail(SystemCall::kInspect, fault);
        return INVALID_FILE_ATTRIBUTES;
    }
    return kSystemCalls.getFileAttributes(path);
}
BOOL WINAPI FaultyFindNext(HANDLE search, LPWIN32_FIND_DATAA entry) {
    Fault fault;
    if (DecideFault(SystemCall::kListNext, fault)) return Fail(SystemCall::kListNext, fault);
    return kSystemCalls.findNextFile(search, entry);
}
DWORD WINAPI FaultyGetDirectory(DWORD size, LPSTR buffer) {
    Fault fault;
    if (DecideFault(SystemCall::kGetDirectory, fault)) {
        Fail(SystemCall::kGetDirectory, fault);
        return 0;
    }
    return kSystemCalls.getCurrentDirectory(size, buffer);
}
BOOL WINAPI FaultySetDirectory(LPCSTR dir) {
    Fault fault;
    if (DecideFault(SystemCall::kSetDirectory, fault)) {
        return Fail(SystemCall::kSetDirectory, fault);
    }
    return kSystemCalls.setCurrentDirectory(dir);
}
BOOL WINAPI FaultySetVariable(LPCSTR name, LPCSTR value) {
    Fault fault;
    if (DecideFault(SystemCall::kSetVariable, fault)) return Fail(SystemCall::kSetVariable, fault);
    return kSystemCalls.setEnvironmentVariable(name, value);
}
// A wait that fails has waited all the same, so that the walk's runs never overlap.
DWORD WINAPI FaultyWait(HANDLE handle, DWORD milliseconds) {
    Fault fault;
    const bool failed = DecideFault(SystemCall::kWait, fault);
    const DWORD result = kSystemCalls.waitForSingleObject(handle, milliseconds);
    if (!failed) return result;
    Fail(SystemCall::kWait, fault);
    return WAIT_FAILED;
}
BOOL WINAPI FaultyExitCode(HANDLE process, LPDWORD code) {
    Fault fault;
    if (DecideFault(SystemCall::kExitCode, fault)) return Fail(SystemCall::kExitCode, fault);
    return kSystemCalls.getExitCodeProcess(process, code);
}
BOOL WINAPI FaultyShell(SHELLEXECUTEINFOA* info) {
    Fault fault;
    if (DecideFault(SystemCall::kShell, fault)) {
        info->hInstApp = reinterpret_cast<HINSTANCE>(SE_ERR_FNF);
        return Fail(SystemCall::kShell, fault);
    }
    return kSystemCalls.shellExecuteEx(info);
}

}  // namespace

bool SyncsFolders() {
    return false;
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
    systemCalls = {
        .createFile = FaultyCreateFile,
        .readFile = FaultyReadFile,
        .writeFile = FaultyWriteFile,
        .flushFileBuffers = FaultyFlush,
        .getFileSizeEx = FaultySize,
        .setFilePointerEx = FaultySeek,
        .setEndOfFile = FaultyTruncate,
        .lockFileEx = FaultyLock,
        .unlockFileEx = FaultyUnlock,
        .getFileInformationByHandle = FaultyIdentity,
        .closeHandle = FaultyClose,
        .moveFileEx = FaultyMove,
        .deleteFile = FaultyDelete,
        .getFileAttributesEx = FaultyInspect,
        .getFileAttributes = FaultyAttributes,
        .findFirstFile = FaultyFindFirst,
        .findNextFile = FaultyFindNext,
        .getCurrentDirectory = FaultyGetDirectory,
        .setCurrentDirectory = FaultySetDirectory,
        .setEnvironmentVariable = FaultySetVariable,
        .createProcess = FaultyCreateProcess,
        .waitForSingleObject = FaultyWait,
        .getExitCodeProcess = FaultyExitCode,
        .shellExecuteEx = FaultyShell,
        .regOpenKeyEx = FaultyRegOpen,
        .regQueryValueEx = FaultyRegQuery,
    };
}

FaultPlan::~FaultPlan() {
    systemCalls = kSystemCalls;
}
