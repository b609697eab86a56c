// A holder of one open registry key, closed at the latest by its destructor.
#include "launch/reg_key.h"

#include <algorithm>

namespace {
// The root must fit with its terminator: the longest usable value is 199 bytes.
constexpr std::uint32_t kValueBufferSize = 200;
}  // namespace

RegKey::~RegKey() {
    Close();
}

os::Status RegKey::Open(const std::string& subKey, std::uint32_t access) {
    subKeyPath = subKey;
    Close();
    return os::RegistryOpen(subKeyPath, access, handle);
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
