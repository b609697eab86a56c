// POSIX half of the baselines: posix_spawn, one write(2), a durable write, and a counting
// operator new.
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "bench/bare.h"

extern char** environ;

namespace {

std::atomic<long> liveBlocks{0};
std::atomic<long long> liveBytes{0};

void* Allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    liveBlocks.fetch_add(1, std::memory_order_relaxed);
    liveBytes.fetch_add(static_cast<long long>(malloc_usable_size(block)),
                        std::memory_order_relaxed);
    return block;
}

void Release(void* block) noexcept {
    if (block == nullptr) return;
    liveBlocks.fetch_sub(1, std::memory_order_relaxed);
    liveBytes.fetch_sub(static_cast<long long>(malloc_usable_size(block)),
                        std::memory_order_relaxed);
    std::free(block);
}

}  // namespace

// The replacements, exported from the program (ENABLE_EXPORTS), so the library binds to them.
void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* block) noexcept {
    Release(block);
}
void operator delete[](void* block) noexcept {
    Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Release(block);
}

namespace bench {

long BareStart(const StartRecord& record) {
    std::vector<char*> argv;
    for (const std::string& argument : record.arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, record.program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool WriteInOnePiece(const std::string& path, const std::string& bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool written =
        write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    return close(fd) == 0 && written;
}

bool WriteDurably(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".~";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool written =
        write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
        fsync(fd) == 0;
    if (close(fd) != 0 || !written || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    const int dir = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return false;
    const bool synced = fsync(dir) == 0;
    return close(dir) == 0 && synced;
}

std::FILE* OpenCommandPipe(const std::string& command) {
    return popen(command.c_str(), "r");
}

int CloseCommandPipe(std::FILE* pipe) {
    return pclose(pipe);
}

bool ChangeDirectory(const std::string& dir) {
    return chdir(dir.c_str()) == 0;
}

HeapUse HeapInUse() {
    return {liveBlocks.load(), liveBytes.load()};
}

const char* HeapMethod() {
    return "operator new/delete of the benchmark program, usable sizes (malloc_usable_size)";
}

}  // namespace bench
