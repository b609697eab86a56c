// Calls that must not wait for a lock held by another program.
#include "support/file_lock.h"

#include <atomic>
#include <future>  // also std::chrono's durations: <chrono> itself does not compile to GBK
#include <thread>

namespace {
constexpr std::chrono::seconds kDeadline{60};
}  // namespace

bool EndWhileLocked(WholeFileLock& lock, const std::function<void()>& calls) {
    std::promise<void> ended;
    std::atomic<bool> released{false};
    std::thread watchdog([&lock, &released, done = ended.get_future()] {
        if (done.wait_for(kDeadline) == std::future_status::ready) return;
        released = true;
        lock.Release();
    });
    calls();
    ended.set_value();
    watchdog.join();
    return !released;
}
