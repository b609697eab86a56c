// The suite's system helpers, Windows half (ANSI calls: texts are in the ANSI code page).
#include "suite/system.h"

#include <windows.h>

namespace suite::sys {
namespace {

/// An open file handle, closed on every path.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (IsOpen()) ::CloseHandle(handle_);
    }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool IsMissingError(DWORD code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

/// A name unique in this process and, through the process id, on the machine.
std::string UniqueSuffix() {
    static unsigned counter = 0;
    return std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(::GetTickCount()) + "-" +
           std::to_string(++counter);
}

}  // namespace

char Separator() {
    return '\\';
}
bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}
bool IsLeadByte(char c) {
    return ::IsDBCSLeadByte(static_cast<BYTE>(c)) != 0;
}
std::string GbkSpelling(const std::string& path) {
    return path;
}

char PathListSeparator() {
    return ';';
}
std::string ExecutableSuffix() {
    return ".exe";
}
std::uint32_t ProcessId() {
    return ::GetCurrentProcessId();
}

std::string OwnExecutablePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
}

std::string RawCommandLine(int, char**) {
    return ::GetCommandLineA();
}

std::string CurrentDirectory() {
    DWORD needed = ::GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return {};
    std::string dir(needed, '\0');
    DWORD length = ::GetCurrentDirectoryA(needed, dir.data());
    if (length == 0 || length >= needed) return {};
    dir.resize(length);
    return dir;
}

std::optional<std::string> GetEnv(const std::string& name) {
    ::SetLastError(ERROR_SUCCESS);
    DWORD needed = ::GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (needed == 0) {
        if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
        return std::string();
    }
    std::string value(needed, '\0');
    DWORD length = ::GetEnvironmentVariableA(name.c_str(), value.data(), needed);
    value.resize(length < needed ? length : 0);
    return value;
}

void SetEnv(const std::string& name, const std::optional<std::string>& value) {
    ::SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
}

std::uint32_t LastError() {
    return ::GetLastError();
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ReadResult ReadWholeFile(const std::string& path, std::string& bytes) {
    Handle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        return IsMissingError(::GetLastError()) ? ReadResult::Missing : ReadResult::Failed;
    }
    bytes.clear();
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
        if (got == 0) return ReadResult::Read;
        bytes.append(buffer, got);
    }
    return ReadResult::Failed;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    Handle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsOpen() && WriteAll(file.Get(), bytes);
}

bool AppendToFile(const std::string& path, const std::string& bytes) {
    // FILE_APPEND_DATA alone: every write goes to the end of the file, so records of
    // several processes stay whole; others may read or append meanwhile.
    Handle file(::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsOpen() && WriteAll(file.Get(), bytes);
}

DeleteResult RemoveFile(const std::string& path) {
    if (::DeleteFileA(path.c_str())) return DeleteResult::Deleted;
    return IsMissingError(::GetLastError()) ? DeleteResult::Missing : DeleteResult::Failed;
}

bool MakeDirectories(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    std::string parent = DirName(path);
    if (!parent.empty() && parent != path && !Exists(parent) && !MakeDirectories(parent)) {
        return false;
    }
    return ::CreateDirectoryA(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

bool CopyExecutable(const std::string& from, const std::string& to) {
    return ::CopyFileA(from.c_str(), to.c_str(), /*bFailIfExists=*/FALSE) != 0;
}

bool LinkExecutable(const std::string& from, const std::string& to) {
    ::DeleteFileA(to.c_str());
    return ::CreateHardLinkA(to.c_str(), from.c_str(), nullptr) != 0 || CopyExecutable(from, to);
}

bool Rename(const std::string& from, const std::string& to) {
    return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA(Join(path, "*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = Join(path, name);
            // Read-only entries cannot be deleted until the attribute is cleared.
            ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                ::DeleteFileA(child.c_str());
            }
        } while (::FindNextFileA(search, &entry));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(path.c_str());
}

std::string MakeTempDirectory(const std::string& prefix) {
    char base[MAX_PATH + 1];
    DWORD length = ::GetTempPathA(sizeof base, base);
    if (length == 0 || length > MAX_PATH) return {};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string dir = Join(std::string(base, length), prefix + "-" + UniqueSuffix());
        if (::CreateDirectoryA(dir.c_str(), nullptr)) return dir;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
    return {};
}

}  // namespace suite::sys
