// The suite's system helpers, POSIX half.
#include "suite/system.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace suite::sys {
namespace {

/// Writes all of `bytes` to an open descriptor and closes it.
bool WriteAllAndClose(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) break;
        done += static_cast<std::size_t>(written);
    }
    bool closed = ::close(fd) == 0;
    return done == bytes.size() && closed;
}

}  // namespace

char Separator() {
    return '/';
}
bool IsSeparator(char c) {
    return c == '/';
}
bool IsLeadByte(char) {
    return false;
}
std::string GbkSpelling(const std::string& path) {
    const iconv_t toGbk = iconv_open("GBK", "UTF-8");
    if (toGbk == reinterpret_cast<iconv_t>(-1)) return path;
    std::string gbk(path.size(), '\0');  // GBK is never longer than UTF-8
    char* in = const_cast<char*>(path.data());
    char* out = gbk.data();
    std::size_t inLeft = path.size();
    std::size_t outLeft = gbk.size();
    const bool whole = iconv(toGbk, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(toGbk);
    gbk.resize(gbk.size() - outLeft);
    return whole ? gbk : path;
}

char PathListSeparator() {
    return ':';
}
std::string ExecutableSuffix() {
    return {};
}
std::uint32_t ProcessId() {
    return static_cast<std::uint32_t>(::getpid());
}

std::string OwnExecutablePath() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string RawCommandLine(int argc, char** argv) {
    std::string line;
    for (int i = 0; i < argc; ++i) line += (i == 0 ? "" : " ") + std::string(argv[i]);
    return line;
}

std::string CurrentDirectory() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::current_path(error);
    return error ? std::string() : path.string();
}

std::optional<std::string> GetEnv(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

void SetEnv(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(name.c_str());
    }
}

std::uint32_t LastError() {
    return static_cast<std::uint32_t>(errno);
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

ReadResult ReadWholeFile(const std::string& path, std::string& bytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    bytes.clear();
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return got == 0 ? ReadResult::Read : ReadResult::Failed;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd >= 0 && WriteAllAndClose(fd, bytes);
}

bool AppendToFile(const std::string& path, const std::string& bytes) {
    // O_APPEND: each write lands at the end, so records of several processes stay whole.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    return fd >= 0 && WriteAllAndClose(fd, bytes);
}

DeleteResult RemoveFile(const std::string& path) {
    if (::unlink(path.c_str()) == 0) return DeleteResult::Deleted;
    return errno == ENOENT ? DeleteResult::Missing : DeleteResult::Failed;
}

bool MakeDirectories(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

bool CopyExecutable(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    if (error) return false;
    std::filesystem::permissions(
        to,
        std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
            std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
            std::filesystem::perms::others_exec,
        error);
    return !error;
}

bool LinkExecutable(const std::string& from, const std::string& to) {
    ::unlink(to.c_str());
    return ::link(from.c_str(), to.c_str()) == 0 || CopyExecutable(from, to);
}

bool Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void RemoveTree(const std::string& path) {
    std::error_code error;
    // Entries made read-only (or unsearchable) must not keep the tree alive.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path, error)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(path, error);
}

std::string MakeTempDirectory(const std::string& prefix) {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) base = "/tmp";
    std::string pattern = (base / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

}  // namespace suite::sys
