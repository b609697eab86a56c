// Win32 half of deleting, renaming and looking at one name: the system's own calls.
#include "os/os.h"
#include "os/win32/system_calls.h"
#include "os/win32/windows_support.h"

namespace os {

Status DeleteFile(const std::string& path) {
    return win32::systemCalls.deleteFile(path.c_str()) ? kSuccess : GetLastError();
}

Status MoveFileDurably(const std::string& from, const std::string& to, bool replaceExisting) {
    // No COPY_ALLOWED: both lie in one directory, and a copy would not be atomic.
    // WRITE_THROUGH: the call returns once the move is on the disk.
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
    if (win32::systemCalls.moveFileEx(from.c_str(), to.c_str(), flags)) return kSuccess;
    const Status status = GetLastError();
    return status == kFileExists ? kAlreadyExists : status;
}

namespace {

std::uint64_t Combine(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

NameInfo::Kind KindOf(DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return NameInfo::Kind::kOther;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return NameInfo::Kind::kFolder;
    return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? NameInfo::Kind::kOther
                                                     : NameInfo::Kind::kFile;
}

}  // namespace

NameInfo LookAtName(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    NameInfo result;
    if (!win32::systemCalls.getFileAttributesEx(path.c_str(), GetFileExInfoStandard, &data))
        return result;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    constexpr std::int64_t kTicksPerSecond = 10'000'000;  // FILETIME counts 100 ns
    const std::int64_t ticks =
        static_cast<std::int64_t>(Combine(now.dwHighDateTime, now.dwLowDateTime)) -
        static_cast<std::int64_t>(
            Combine(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime));
    result.kind = KindOf(data.dwFileAttributes);
    result.size = Combine(data.nFileSizeHigh, data.nFileSizeLow);
    result.secondsSinceWrite = ticks / kTicksPerSecond;
    return result;
}

}  // namespace os
