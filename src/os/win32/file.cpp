// Win32 half of File: a file handle from CreateFileA (line reading is portable, os/file.cpp).
#include <utility>

#include "os/os.h"
#include "os/win32/system_calls.h"
#include "os/win32/windows_support.h"

namespace os {

using win32::FromHandle;
using win32::ToHandle;

namespace {

/// CreateFileA with no security attributes, plain attributes and no template file.
HANDLE Create(const std::string& path, DWORD access, DWORD disposition, DWORD share = 0) {
    return win32::systemCalls.createFile(path.c_str(), access, share,
                                         /*lpSecurityAttributes=*/nullptr, disposition,
                                         FILE_ATTRIBUTE_NORMAL, /*hTemplateFile=*/nullptr);
}

/// Opens an existing file for reading (OPEN_EXISTING: never create). A pipe or a device might
/// never end or never answer: only disk files are read.
Status OpenDiskFile(const std::string& path, DWORD share, std::intptr_t& native) {
    HANDLE handle = Create(path, GENERIC_READ, OPEN_EXISTING, share);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        win32::systemCalls.closeHandle(handle);
        SetLastError(ERROR_ACCESS_DENIED);
        return ERROR_ACCESS_DENIED;
    }
    native = FromHandle(handle);
    return kSuccess;
}

}  // namespace

// Share mode 0: nobody else may have the file open while we read it, and we refuse it while
// somebody does.
Status File::OpenExclusiveRead(const std::string& path) {
    Close();
    return OpenDiskFile(path, /*share=*/0, native_);
}

Status File::OpenSharedRead(const std::string& path) {
    Close();
    return OpenDiskFile(path, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, native_);
}

Status File::CreateForWriting(const std::string& path) {
    Close();
    // CREATE_ALWAYS: a new file, or an existing one truncated to nothing.
    HANDLE handle = Create(path, GENERIC_WRITE, CREATE_ALWAYS);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    native_ = FromHandle(handle);
    return kSuccess;
}

Status File::CreateNew(const std::string& path) {
    Close();
    // CREATE_NEW: fails for any existing name, a link included, without following it.
    HANDLE handle = Create(path, GENERIC_WRITE, CREATE_NEW);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    native_ = FromHandle(handle);
    return kSuccess;
}

long File::Read(char* buffer, long size) {
    if (!IsOpen() || size < 0) {
        SetLastError(IsOpen() ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return -1;
    }
    DWORD count = 0;
    if (!win32::systemCalls.readFile(ToHandle(native_), buffer, static_cast<DWORD>(size), &count,
                                     /*lpOverlapped=*/nullptr)) {
        return -1;
    }
    return static_cast<long>(count);
}

bool File::Write(const std::string& bytes) {
    if (!IsOpen()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    const char* next = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        DWORD written = 0;
        if (!win32::systemCalls.writeFile(ToHandle(native_), next, static_cast<DWORD>(left),
                                          &written,
                                          /*lpOverlapped=*/nullptr)) {
            return false;
        }
        if (written == 0) {  // a disk that takes nothing more: report it rather than spin
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        next += written;
        left -= written;
    }
    return true;
}

std::optional<std::uint64_t> File::SkipToLast(std::uint64_t count) {
    if (!IsOpen()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return std::nullopt;
    }
    pending_.clear();
    atEnd_ = false;
    LARGE_INTEGER size{};
    if (!win32::systemCalls.getFileSizeEx(ToHandle(native_), &size)) return std::nullopt;
    const std::uint64_t whole = static_cast<std::uint64_t>(size.QuadPart);
    LARGE_INTEGER skipped{};
    skipped.QuadPart = static_cast<LONGLONG>(whole > count ? whole - count : 0);
    if (!win32::systemCalls.setFilePointerEx(ToHandle(native_), skipped,
                                             /*lpNewFilePointer=*/nullptr, FILE_BEGIN)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(skipped.QuadPart);
}

bool File::Flush() {
    if (!IsOpen()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return win32::systemCalls.flushFileBuffers(ToHandle(native_)) != 0;
}

bool File::Close() {
    pending_.clear();
    atEnd_ = false;
    if (!IsOpen()) {
        return true;
    }
    const bool closed =
        win32::systemCalls.closeHandle(ToHandle(std::exchange(native_, kClosed))) != 0;
    return closed;
}

}  // namespace os
