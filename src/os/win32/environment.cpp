// Win32 half of the environment: the process's own variables and its ANSI block.
#include "os/os.h"
#include "os/win32/system_calls.h"
#include "os/win32/windows_support.h"

namespace os {

std::optional<std::string> GetEnvironmentVariable(const std::string& name) {
    // Read through the wide call and convert with the ANSI code page, which is what
    // GetEnvironmentVariableA does on Windows: Wine's A call ends the copied value after as
    // many bytes as it has characters, losing the tail of a value with double-byte
    // characters (a "PATH" with a Chinese folder, say).
    const std::wstring wideName = win32::Widen(name, CP_ACP);
    SetLastError(ERROR_SUCCESS);
    DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    for (;;) {
        if (size == 0) {
            // 0 means "not set" only with that error; otherwise the variable is empty.
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                return std::nullopt;
            }
            return std::string();
        }
        std::wstring value(size, L'\0');
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
        if (length < size) {  // fits: length excludes the terminator
            if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                return std::nullopt;
            }
            value.resize(length);
            return win32::Narrow(value, CP_ACP);
        }
        size = length;  // grew meanwhile: length is the size needed
    }
}

bool SetEnvironmentVariable(const std::string& name, const std::string& value) {
    return win32::systemCalls.setEnvironmentVariable(name.c_str(), value.c_str()) != 0;
}

EnvironmentBlock::EnvironmentBlock() : native_(GetEnvironmentStringsA()) {}

EnvironmentBlock::~EnvironmentBlock() {
    if (native_ != nullptr) {
        FreeEnvironmentStringsA(static_cast<char*>(native_));
    }
}

}  // namespace os
