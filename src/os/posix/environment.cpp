// POSIX half of the OS seam: environment variables and snapshots of the environment.
//
// A snapshot is one heap block: a null-terminated array of char* (what posix_spawn takes as
// envp) followed by the "NAME=value" strings it points to.
#include <stdlib.h>

#include <cerrno>
#include <cstring>

#include "os/os.h"
#include "os/posix/posix_support.h"

extern char** environ;

namespace os {

std::optional<std::string> GetEnvironmentVariable(const std::string& name) {
    const char* value = getenv(name.c_str());
    if (value == nullptr) {
        posix::Fail(203);  // ERROR_ENVVAR_NOT_FOUND
        return std::nullopt;
    }
    return std::string(value);
}

bool SetEnvironmentVariable(const std::string& name, const std::string& value) {
    if (setenv(name.c_str(), value.c_str(), /*overwrite=*/1) != 0) {
        posix::FailWithErrno(errno);
        return false;
    }
    return true;
}

EnvironmentBlock::EnvironmentBlock() {
    std::size_t count = 0;
    std::size_t textSize = 0;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        ++count;
        textSize += std::strlen(*entry) + 1;
    }
    const std::size_t tableSize = (count + 1) * sizeof(char*);
    void* block = malloc(tableSize + textSize);
    if (block == nullptr) {
        posix::Fail(kNotEnoughMemory);
        return;
    }
    auto** table = static_cast<char**>(block);
    char* text = static_cast<char*>(block) + tableSize;
    for (std::size_t index = 0; index < count; ++index) {
        const std::size_t length = std::strlen(environ[index]) + 1;
        std::memcpy(text, environ[index], length);
        table[index] = text;
        text += length;
    }
    table[count] = nullptr;
    native_ = block;
}

EnvironmentBlock::~EnvironmentBlock() {
    free(native_);
}

}  // namespace os
