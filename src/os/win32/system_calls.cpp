// The win32 backend's table of system calls, filled with the system's own functions.
#include "os/win32/system_calls.h"

namespace os::win32 {

const SystemCalls kSystemCalls = {
    ::CreateFileA,    ::ReadFile,       ::WriteFile,     ::FlushFileBuffers,
    ::LockFileEx,     ::MoveFileExA,    ::DeleteFileA,   ::GetFileAttributesExA,
    ::FindFirstFileA, ::CreateProcessA, ::RegOpenKeyExA, ::RegQueryValueExA,
};

SystemCalls systemCalls = kSystemCalls;

}  // namespace os::win32
