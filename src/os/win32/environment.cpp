// Win32 half of the environment: the process's own variables and its ANSI block.
#include "os/os.h"
#include "os/win32/windows_support.h"

namespace os {

std::optional<std::string> GetEnvironmentVariable(const std::string& name) {
    // Ask for the size first and read the whole value; retry if it grew in between.
    SetLastError(ERROR_SUCCESS);
    DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    for (;;) {
        if (size == 0) {
            // 0 means "not set" only with that error; otherwise the variable is empty.
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                return std::nullopt;
            }
            return std::string();
        }
        std::string value(size, '\0');
        const DWORD length = GetEnvironmentVariableA(name.c_str(), value.data(), size);
        if (length < size) {
            if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                return std::nullopt;
            }
            value.resize(length);
            return value;
        }
        size = length;
    }
}

bool SetEnvironmentVariable(const std::string& name, const std::string& value) {
    return SetEnvironmentVariableA(name.c_str(), value.c_str()) != 0;
}

EnvironmentBlock::EnvironmentBlock() : native_(GetEnvironmentStringsA()) {}

EnvironmentBlock::~EnvironmentBlock() {
    if (native_ != nullptr) {
        FreeEnvironmentStringsA(static_cast<char*>(native_));
    }
}

}  // namespace os
