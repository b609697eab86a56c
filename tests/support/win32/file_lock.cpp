// LockFileEx from 0 over the whole range, through a handle of its own.
#include "support/file_lock.h"

#include <windows.h>

WholeFileLock::WholeFileLock(const std::string& path) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                /*lpSecurityAttributes=*/nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, /*hTemplateFile=*/nullptr);
    if (handle == INVALID_HANDLE_VALUE) return;
    native_ = reinterpret_cast<std::intptr_t>(handle);
    OVERLAPPED from{};
    held_ = LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                       MAXDWORD, &from) != FALSE;
}

void WholeFileLock::Release() {
    if (native_ == -1) return;
    HANDLE handle = reinterpret_cast<HANDLE>(native_);
    if (held_) {
        OVERLAPPED from{};
        UnlockFileEx(handle, 0, MAXDWORD, MAXDWORD, &from);
    }
    CloseHandle(handle);
    native_ = -1;
    held_ = false;
}
