// Win32 half of the OS seam: appending to trace files, the clocks.
//
// A handle opened with FILE_APPEND_DATA alone writes at the end of the file, whatever other
// handles have written meanwhile; the sharing flags let other hosts append at the same time.
#include <cstdio>

#include "os/os.h"
#include "os/win32/windows_support.h"

namespace os {

Status AppendToFile(const std::string& path, const std::string& bytes) {
    const DWORD saved = GetLastError();
    Status status = kSuccess;
    HANDLE handle = CreateFileA(path.c_str(), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                /*lpSecurityAttributes=*/nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, /*hTemplateFile=*/nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        status = GetLastError();
    } else {
        const DWORD size = static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), size, &written, /*lpOverlapped=*/nullptr)) {
            status = GetLastError();
        } else if (written != size) {
            status = kDiskFull;
        }
        CloseHandle(handle);
    }
    SetLastError(saved);
    return status;
}

std::string LocalTimeStamp() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    return text;
}

std::uint64_t SteadyMilliseconds() {
    return GetTickCount64();
}

}  // namespace os
