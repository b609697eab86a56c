// Win32 half of directories and modules: current directory and module file names.
#include <cstring>

#include "os/os.h"
#include "os/win32/system_calls.h"
#include "os/win32/windows_support.h"

namespace os {

std::optional<std::string> CurrentDirectory() {
    // Ask for the size first; another thread may change the directory in between, so retry
    // until the buffer fits. The size is doubled and the copy measured by its terminator:
    // with a double-byte code page some systems count characters, not bytes.
    DWORD size = win32::systemCalls.getCurrentDirectory(0, nullptr);
    while (size != 0) {
        std::string buffer(2 * static_cast<std::size_t>(size) + 1, '\0');
        const DWORD length = win32::systemCalls.getCurrentDirectory(
            static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) {
            break;
        }
        if (length < buffer.size()) {
            buffer.resize(std::strlen(buffer.c_str()));
            return buffer;
        }
        size = length;  // grew meanwhile: length is the size needed, terminator included
    }
    return std::nullopt;
}

bool SetCurrentDirectory(const std::string& dir) {
    return win32::systemCalls.setCurrentDirectory(dir.c_str()) != 0;
}

namespace {

/// GetModuleFileNameA with a buffer that grows until the whole name fits: a truncated name
/// fills the buffer exactly, whatever the system version reports as its error.
std::string ModuleFileName(HMODULE module) {
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(std::strlen(buffer.c_str()));  // the terminator, not a count in chars
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::string HostExecutablePath() {
    return ModuleFileName(/*hModule=*/nullptr);
}

std::string OwnModulePath() {
    // FROM_ADDRESS: find the module that holds this function's code; UNCHANGED_REFCOUNT: the
    // handle is only looked at, so the module's reference count must not grow.
    constexpr DWORD kFlags =
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(kFlags, reinterpret_cast<LPCSTR>(&OwnModulePath), &module)) {
        return {};
    }
    return ModuleFileName(module);
}

char PathListSeparator() {
    return ';';
}

}  // namespace os
