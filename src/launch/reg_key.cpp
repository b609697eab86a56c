// A holder of one open registry key, closed at the latest by its destructor.
#include "launch/reg_key.h"

#include <algorithm>

#include "launch/install_paths.h"

namespace {
// The root must fit with its terminator.
constexpr std::uint32_t kValueBufferSize = kInstallRootLimit + 1;
}  // namespace

RegKey::~RegKey() {
    Close();
}

os::Status RegKey::Open(RootKey root, const std::string& subKey, std::uint32_t access) {
    subKeyPath = subKey;
    Close();
    switch (root) {
        case RootKey::kLocalMachine:
            return os::RegistryOpen(subKeyPath, access, handle);
    }
    return os::kInvalidHandle;
}

os::Status RegKey::QueryString(const std::string& name, std::string& value) {
    char buffer[kValueBufferSize] = {};
    std::uint32_t size = kValueBufferSize;
    const os::Status status = os::RegistryQuery(handle, name, buffer, size);
    if (status == os::kSuccess) {
        const char* begin = buffer;
        const char* end = begin + std::min(size, kValueBufferSize);
        value.assign(begin, std::find(begin, end, '\0'));
    }
    return status;
}

void RegKey::Close() {
    if (handle != nullptr) {
        os::RegistryClose(handle);
        handle = nullptr;
    }
}
