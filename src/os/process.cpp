// Portable code: ownership of a started process's handles.
#include <utility>

#include "os/os.h"

namespace os {

Process::Process(Process&& other) noexcept
    : handle_(std::exchange(other.handle_, kNone)), thread_(std::exchange(other.thread_, kNone)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, kNone);
        thread_ = std::exchange(other.thread_, kNone);
    }
    return *this;
}

Process::~Process() {
    Close();
}

void Process::Adopt(std::intptr_t handle, std::intptr_t thread) {
    Close();
    handle_ = handle;
    thread_ = thread;
}

}  // namespace os
