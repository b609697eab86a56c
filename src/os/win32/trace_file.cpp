// Win32 half of the OS seam: appending to trace files, the clocks.
//
// Appends from several hosts at once are serialised by an exclusive lock of one byte far
// beyond any end of file, held from the move to the end until the write is done: a handle
// opened for FILE_APPEND_DATA alone should write at the end whatever other handles have
// written, but Wine seeks and writes in two steps, so that two appenders overwrite each other.
// The sharing flags let other hosts append at the same time.
#include "os/os.h"
#include "os/win32/system_calls.h"
#include "os/win32/windows_support.h"

namespace os {

namespace {

// The byte whose lock is the appenders' turn: no trace reaches it.
constexpr DWORD kTurnOffsetHigh = 0x7FFFFFFF;

Status AppendInTurn(HANDLE handle, const std::string& bytes) {
    OVERLAPPED turn{};
    turn.OffsetHigh = kTurnOffsetHigh;
    if (!win32::systemCalls.lockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &turn))
        return GetLastError();
    Status status = kSuccess;
    const DWORD size = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!SetFilePointerEx(handle, LARGE_INTEGER{}, /*lpNewFilePointer=*/nullptr, FILE_END) ||
        !win32::systemCalls.writeFile(handle, bytes.data(), size, &written,
                                      /*lpOverlapped=*/nullptr)) {
        status = GetLastError();
    } else if (written != size) {
        status = kDiskFull;
    }
    UnlockFileEx(handle, 0, 1, 0, &turn);
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
        CloseHandle(handle);
    }
    SetLastError(saved);
    return status;
}

LocalTime LocalTimeNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear,   now.wMonth,  now.wDay,         now.wHour,
            now.wMinute, now.wSecond, now.wMilliseconds};
}

std::uint64_t SteadyMilliseconds() {
    return GetTickCount64();
}

}  // namespace os
