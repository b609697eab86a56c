// The system calls of the win32 backend that can fail in a way a caller must survive, called
// through one table of plain function pointers (the posix backend has its twin). The table
// starts out holding the system's own functions, so an ordinary run pays one indirect call and
// nothing else; a test swaps entries to make one chosen call fail and puts them back after.
// Both tables are filled by name (designated initialisers), so that two entries of one type
// cannot change places unnoticed. Calls that only ask the system for fixed facts (its folders,
// a module's name, the clocks), convert text, release a search (FindClose) or an environment
// block, or show a box are made directly.
#ifndef TRUV_OS_WIN32_SYSTEM_CALLS_H
#define TRUV_OS_WIN32_SYSTEM_CALLS_H

#include "os/win32/windows_support.h"

namespace os::win32 {

struct SystemCalls {
    // Files: the menu file, the small files read whole, the trace file and its identity.
    decltype(&::CreateFileA) createFile;
    decltype(&::ReadFile) readFile;
    decltype(&::WriteFile) writeFile;
    decltype(&::FlushFileBuffers) flushFileBuffers;
    decltype(&::GetFileSizeEx) getFileSizeEx;
    decltype(&::SetFilePointerEx) setFilePointerEx;
    decltype(&::SetEndOfFile) setEndOfFile;
    decltype(&::LockFileEx) lockFileEx;
    decltype(&::UnlockFileEx) unlockFileEx;
    decltype(&::GetFileInformationByHandle) getFileInformationByHandle;
    decltype(&::CloseHandle) closeHandle;  // of files and processes alike
    // Names and folders.
    decltype(&::MoveFileExA) moveFileEx;
    decltype(&::DeleteFileA) deleteFile;
    decltype(&::GetFileAttributesExA) getFileAttributesEx;
    decltype(&::GetFileAttributesA) getFileAttributes;  // of the program search
    decltype(&::FindFirstFileA) findFirstFile;
    decltype(&::FindNextFileA) findNextFile;
    decltype(&::GetCurrentDirectoryA) getCurrentDirectory;
    decltype(&::SetCurrentDirectoryA) setCurrentDirectory;
    // The environment, processes and the shell.
    decltype(&::SetEnvironmentVariableA) setEnvironmentVariable;
    decltype(&::CreateProcessA) createProcess;
    decltype(&::WaitForSingleObject) waitForSingleObject;
    decltype(&::GetExitCodeProcess) getExitCodeProcess;
    decltype(&::ShellExecuteExA) shellExecuteEx;
    // The registry.
    decltype(&::RegOpenKeyExA) regOpenKeyEx;
    decltype(&::RegQueryValueExA) regQueryValueEx;
};

/// The calls the backend makes; tests alone replace entries.
extern SystemCalls systemCalls;

/// The system's own functions, as the table holds them at the start.
extern const SystemCalls kSystemCalls;

}  // namespace os::win32

#endif  // TRUV_OS_WIN32_SYSTEM_CALLS_H
