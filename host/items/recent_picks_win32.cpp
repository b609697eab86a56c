// Windows half of the recent picks: the lock two hosts of one user take turns at, the lock
// file opened for this host alone, closed by the system when a host ends however it ends.
#include <windows.h>

#include "host/items/recent_picks.h"
#include "plugin/inspect.h"

namespace host {
namespace {

// A host holds the lock while it reads and writes ten lines: a few milliseconds.
constexpr int kTries = 100;
constexpr std::uint32_t kPauseMs = 10;

HANDLE OpenAlone(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

PicksLock::PicksLock(const std::string& path)
    : native_(reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)) {
    for (int attempt = 0; attempt < kTries && !held_; ++attempt) {
        const HANDLE file = OpenAlone(path);
        if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
            CloseHandle(file);  // no file of ours: never waited on
            return;
        }
        native_ = reinterpret_cast<std::intptr_t>(file);
        held_ = file != INVALID_HANDLE_VALUE;
        if (!held_ && GetLastError() != ERROR_SHARING_VIOLATION) return;
        if (!held_) os::Pause(kPauseMs);
    }
}

PicksLock::~PicksLock() {
    const HANDLE file = reinterpret_cast<HANDLE>(native_);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace host
