// The system calls of the win32 backend that can fail in a way a caller must survive, called
// through one table of plain function pointers (the posix backend has its twin). The table
// starts out holding the system's own functions, so an ordinary run pays one indirect call and
// nothing else; a test swaps entries to make one chosen call fail and puts them back after.
#ifndef TRUV_OS_WIN32_SYSTEM_CALLS_H
#define TRUV_OS_WIN32_SYSTEM_CALLS_H

#include "os/win32/windows_support.h"

namespace os::win32 {

struct SystemCalls {
    decltype(&::CreateFileA) createFile;
    decltype(&::ReadFile) readFile;
    decltype(&::WriteFile) writeFile;
    decltype(&::FlushFileBuffers) flushFileBuffers;
    decltype(&::LockFileEx) lockFileEx;
    decltype(&::MoveFileExA) moveFileEx;
    decltype(&::DeleteFileA) deleteFile;
    decltype(&::GetFileAttributesExA) getFileAttributesEx;
    decltype(&::FindFirstFileA) findFirstFile;
    decltype(&::CreateProcessA) createProcess;
    decltype(&::RegOpenKeyExA) regOpenKeyEx;
    decltype(&::RegQueryValueExA) regQueryValueEx;
};

/// The calls the backend makes; tests alone replace entries.
extern SystemCalls systemCalls;

/// The system's own functions, as the table holds them at the start.
extern const SystemCalls kSystemCalls;

}  // namespace os::win32

#endif  // TRUV_OS_WIN32_SYSTEM_CALLS_H
