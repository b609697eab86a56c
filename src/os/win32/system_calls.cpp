// The win32 backend's table of system calls, filled with the system's own functions.
#include "os/win32/system_calls.h"

namespace os::win32 {

const SystemCalls kSystemCalls = {
    .createFile = ::CreateFileA,
    .readFile = ::ReadFile,
    .writeFile = ::WriteFile,
    .flushFileBuffers = ::FlushFileBuffers,
    .getFileSizeEx = ::GetFileSizeEx,
    .setFilePointerEx = ::SetFilePointerEx,
    .setEndOfFile = ::SetEndOfFile,
    .lockFileEx = ::LockFileEx,
    .unlockFileEx = ::UnlockFileEx,
    .getFileInformationByHandle = ::GetFileInformationByHandle,
    .closeHandle = ::CloseHandle,
    .moveFileEx = ::MoveFileExA,
    .deleteFile = ::DeleteFileA,
    .getFileAttributesEx = ::GetFileAttributesExA,
    .getFileAttributes = ::GetFileAttributesA,
    .findFirstFile = ::FindFirstFileA,
    .findNextFile = ::FindNextFileA,
    .getCurrentDirectory = ::GetCurrentDirectoryA,
    .setCurrentDirectory = ::SetCurrentDirectoryA,
    .setEnvironmentVariable = ::SetEnvironmentVariableA,
    .createProcess = ::CreateProcessA,
    .waitForSingleObject = ::WaitForSingleObject,
    .getExitCodeProcess = ::GetExitCodeProcess,
    .shellExecuteEx = ::ShellExecuteExA,
    .regOpenKeyEx = ::RegOpenKeyExA,
    .regQueryValueEx = ::RegQueryValueExA,
};

SystemCalls systemCalls = kSystemCalls;

}  // namespace os::win32
