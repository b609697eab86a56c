// POSIX half of the OS seam: environment variables and snapshots of the environment.
//
// The environment is the system's, UTF-8 like its file names, and "PATH" and the variables
// that name files hold path names: a value is translated as a name is (transcode.h), GBK to
// the callers and UTF-8 to the environment, and a value that cannot be translated exactly is
// refused (kInvalidName) rather than handed on changed. A snapshot is taken as the
// environment holds it, for it goes to the system only.
//
// A snapshot is one heap block: a null-terminated array of char* (what posix_spawn takes as
// envp) followed by the "NAME=value" strings it points to.
#include <stdlib.h>

#include <cerrno>
#include <cstring>

#include "os/os.h"
#include "os/posix/posix_support.h"
#include "os/posix/system_calls.h"
#include "os/posix/transcode.h"

extern char** environ;

namespace os {

std::optional<std::string> GetEnvironmentVariable(const std::string& name) {
    const char* value = getenv(name.c_str());
    if (value == nullptr) {
        posix::Fail(203);  // ERROR_ENVVAR_NOT_FOUND
        return std::nullopt;
    }
    return posix::GbkName(value);
}

bool SetEnvironmentVariable(const std::string& name, const std::string& value) {
    const std::optional<std::string> native = posix::NativeName(value);
    if (!native) return false;
    if (posix::systemCalls.setenv(name.c_str(), native->c_str(), /*overwrite=*/1) != 0) {
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
