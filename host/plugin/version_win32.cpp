// Windows half: the file version of a library's version resource.
#include <windows.h>

#include <string>
#include <vector>

#include "host/plugin/version.h"

namespace host {

std::string HostVersion() {
    return TRUV_VERSION;
}

std::string LibraryVersion(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return {};
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
        return {};
    }
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
    std::string version = std::to_string(HIWORD(info->dwFileVersionMS)) + "." +
                          std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
                          std::to_string(HIWORD(info->dwFileVersionLS));
    if (LOWORD(info->dwFileVersionLS) != 0) {
        version += "." + std::to_string(LOWORD(info->dwFileVersionLS));
    }
    return version;
}

}  // namespace host
