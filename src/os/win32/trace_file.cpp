// Win32 half of the OS seam: appending to trace files, file identities, the clocks.
//
// Appends from several hosts at once are serialised by an exclusive lock of one byte far
// beyond any end of file, held from the move to the end until the write is done: a handle
// opened for FILE_APPEND_DATA alone should write at the end whatever other handles have
// written, but Wine seeks and writes in two steps, so that two appenders overwrite each other.
// The lock is tried, never waited for: a log viewer or backup tool that locks the whole file
// (LockFileEx from 0 over the whole range) holds that byte too, for as long as it likes, so
// the turn is tried again for kAppendPatienceMs at most and the line then left out. In its
// turn an appender knows the end of the file, so that a write cut short (a full disk) can be
// cut off again. The sharing flags let other hosts append at the same time.
#include "os/os.h"
#include "os/win32/system_calls.h"
#include "os/win32/windows_support.h"

namespace os {

namespace {

// The byte whose lock is the appenders' turn: no trace reaches it.
constexpr DWORD kTurnOffsetHigh = 0x7FFFFFFF;

Status TakeTurn(HANDLE handle, OVERLAPPED& turn) {
    const std::uint64_t deadline = GetTickCount64() + kAppendPatienceMs;
    while (!win32::systemCalls.lockFileEx(
        handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &turn)) {
        const Status status = GetLastError();
        if (status != ERROR_LOCK_VIOLATION || GetTickCount64() >= deadline) return status;
        Sleep(1);
    }
    return kSuccess;
}

// Writes `bytes` at `end`, the end of the file; a write cut short is cut off again.
Status WriteWhole(HANDLE handle, const std::string& bytes, LARGE_INTEGER end) {
    const DWORD size = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    Status status = kSuccess;
    if (!win32::systemCalls.writeFile(handle, bytes.data(), size, &written,
                                      /*lpOverlapped=*/nullptr)) {
        status = GetLastError();
    } else if (written != size) {
        status = kDiskFull;
    }
    if (status != kSuccess && win32::systemCalls.setFilePointerEx(
                                  handle, end, /*lpNewFilePointer=*/nullptr, FILE_BEGIN)) {
        win32::systemCalls.setEndOfFile(handle);
    }
    return status;
}

// A file where no lock can be taken (some network redirectors) is written at its end without
// a turn, as an appender that takes no turn writes.
bool NoLocks(Status status) {
    return status == ERROR_INVALID_FUNCTION || status == ERROR_NOT_SUPPORTED;
}

Status WriteAtEnd(HANDLE handle, const std::string& bytes) {
    DWORD written = 0;
    if (!win32::systemCalls.setFilePointerEx(handle, LARGE_INTEGER{}, /*lpNewFilePointer=*/nullptr,
                                             FILE_END) ||
        !win32::systemCalls.writeFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()),
                                      &written,
                                      /*lpOverlapped=*/nullptr)) {
        return GetLastError();
    }
    return written == bytes.size() ? kSuccess : kDiskFull;
}

Status AppendInTurn(HANDLE handle, const std::string& bytes) {
    OVERLAPPED turn{};
    turn.OffsetHigh = kTurnOffsetHigh;
    if (const Status status = TakeTurn(handle, turn); status != kSuccess) {
        return NoLocks(status) ? WriteAtEnd(handle, bytes) : status;
    }
    LARGE_INTEGER end{};
    const Status status =
        win32::systemCalls.setFilePointerEx(handle, LARGE_INTEGER{}, &end, FILE_END)
            ? WriteWhole(handle, bytes, end)
            : GetLastError();
    win32::systemCalls.unlockFileEx(handle, 0, 1, 0, &turn);
    return status;
}

}  // namespace

Status AppendToFile(const std::string& path, const std::string& bytes) {
    const DWORD saved = GetLastError();
    Status status = kSuccess;
    HANDLE handle = win32::systemCalls.createFile(
        path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        /*lpSecurityAttributes=*/nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
        /*hTemplateFile=*/nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        status = GetLastError();
    } else {
        status = AppendInTurn(handle, bytes);
        win32::systemCalls.closeHandle(handle);
    }
    SetLastError(saved);
    return status;
}

// FILE_FLAG_BACKUP_SEMANTICS opens folders too; no access is asked, only the attributes read.
std::optional<FileIdentity> IdentityOf(const std::string& path) {
    const DWORD saved = GetLastError();
    HANDLE handle = win32::systemCalls.createFile(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        /*lpSecurityAttributes=*/nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
        /*hTemplateFile=*/nullptr);
    std::optional<FileIdentity> identity;
    BY_HANDLE_FILE_INFORMATION info{};
    if (handle != INVALID_HANDLE_VALUE) {
        if (win32::systemCalls.getFileInformationByHandle(handle, &info)) {
            identity =
                FileIdentity{info.dwVolumeSerialNumber,
                             (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
        }
        win32::systemCalls.closeHandle(handle);
    }
    SetLastError(saved);
    return identity;
}

}  // namespace os
