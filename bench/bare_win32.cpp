// Windows half of the baselines: CreateProcessA, one WriteFile, a durable write, and
// _heapwalk.
#include <malloc.h>
#include <windows.h>

#include <cstdio>

#include "bench/bare.h"

namespace bench {

long BareStart(const StartRecord& record) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = record.commandLine;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

bool WriteInOnePiece(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return CloseHandle(file) && ok && written == bytes.size();
}

bool WriteDurably(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".~";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(file);
    if (!CloseHandle(file) || !ok ||
        !MoveFileExA(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

std::FILE* OpenCommandPipe(const std::string& command) {
    return _popen(command.c_str(), "r");
}

int CloseCommandPipe(std::FILE* pipe) {
    return _pclose(pipe);
}

bool ChangeDirectory(const std::string& dir) {
    return SetCurrentDirectoryA(dir.c_str()) != 0;
}

HeapUse HeapInUse() {
    HeapUse use;
    _HEAPINFO entry{};
    while (_heapwalk(&entry) == _HEAPOK) {
        if (entry._useflag != _USEDENTRY) continue;
        ++use.blocks;
        use.bytes += static_cast<long long>(entry._size);
    }
    return use;
}

const char* HeapMethod() {
    return "the C runtime's heap walked with _heapwalk, blocks in use and their sizes";
}

}  // namespace bench
