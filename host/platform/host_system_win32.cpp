// The host's system calls, Windows half.
#include "host/platform/host_system.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>  // needs <windows.h> first

#include <cerrno>

#include "os/os.h"
#include "plugin/inspect.h"

namespace host::sys {
std::string ShownPath(const std::string& path) {
    return path;
}

std::string Join(const std::string& dir, const std::string& name) {
    return dir + "\\" + name;
}

std::vector<std::string> CommandArguments(int, char**, bool) {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count && wide != nullptr; ++i) {
        arguments.push_back(os::WideToGbk(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

std::vector<std::string> PathArguments(int argc, char** argv, bool /*rawGbk*/) {
    return CommandArguments(argc, argv, false);
}

std::string UserStateFolder() {
    char folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("APPDATA", folder, sizeof folder);
    return length > 0 && length < sizeof folder ? folder : "";
}

bool MakeFolders(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::size_t separator = LastSeparator(folder);
    if (separator != std::string::npos && separator > 0 && folder[separator - 1] != ':' &&
        !MakeFolders(folder.substr(0, separator))) {
        return false;
    }
    return CreateDirectoryA(folder.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool PrepareStandardOutput() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) return false;
    _setmode(_fileno(stdout), _O_BINARY);
    return true;
}

// A pipe whose reader is gone fails a write with ERROR_NO_DATA on Windows and with
// ERROR_PIPE_NOT_CONNECTED under Wine (the C library then says EINVAL); ERROR_BROKEN_PIPE
// and EPIPE are taken too.
bool LastErrorIsClosedPipe() {
    const DWORD error = GetLastError();
    return errno == EPIPE || error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA ||
           error == ERROR_PIPE_NOT_CONNECTED;
}

}  // namespace host::sys
