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
    systemCalls = {FaultyCreateFile, FaultyReadFile,      FaultyWriteFile, FaultyFlush,
                   FaultyLock,       FaultyMove,          FaultyDelete,    FaultyInspect,
                   FaultyFindFirst,  FaultyCreateProcess, FaultyRegOpen,   FaultyRegQuery};
}

FaultPlan::~FaultPlan() {
    systemCalls = kSystemCalls;
}
