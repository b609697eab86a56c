// A lock over the whole of a file, as log viewers and backup tools take it.
#ifndef TRUV_TESTS_SUPPORT_FILE_LOCK_H
#define TRUV_TESTS_SUPPORT_FILE_LOCK_H

#include <cstdint>
#include <functional>
#include <string>

/// Holds an exclusive lock over the whole of the file `path` (created when missing) until it
/// is destroyed or released: Windows LockFileEx from 0 over the whole range; POSIX an fcntl
/// write lock from 0 to any end, as another program holds it.
class WholeFileLock {
public:
    explicit WholeFileLock(const std::string& path);
    WholeFileLock(const WholeFileLock&) = delete;
    WholeFileLock& operator=(const WholeFileLock&) = delete;
    ~WholeFileLock() { Release(); }

    /// True while the lock is held.
    bool Held() const { return held_; }
    void Release();

private:
    std::intptr_t native_ = -1;
    bool held_ = false;
};

/// Runs `calls` on this thread while `lock` is held; a watchdog releases the lock once 60
/// seconds have passed, so that calls that wait for it end all the same. True when they ended
/// without the watchdog's help.
bool EndWhileLocked(WholeFileLock& lock, const std::function<void()>& calls);

#endif  // TRUV_TESTS_SUPPORT_FILE_LOCK_H
