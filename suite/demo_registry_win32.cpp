// The demonstration's registry value, Windows half: HKEY_LOCAL_MACHINE in both views.
#include <stdexcept>

#include "suite/demo_registry.h"
#include "suite/registry_override.h"

#include <windows.h>

namespace suite {

void WriteDemoRegistryRoot(const std::string& root, const std::string&) {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRootKeyPath, 0, nullptr, 0, KEY_SET_VALUE | view,
                            nullptr, &key, nullptr) != ERROR_SUCCESS) {
            throw std::runtime_error("cannot create the registry key");
        }
        const LONG status = RegSetValueExA(key, kRootValueName, 0, REG_SZ,
                                           reinterpret_cast<const BYTE*>(root.c_str()),
                                           static_cast<DWORD>(root.size() + 1));
        RegCloseKey(key);
        if (status != ERROR_SUCCESS) throw std::runtime_error("cannot set the registry value");
    }
}

std::string DemoRegistryWhere(const std::string&) {
    return std::string("HKEY_LOCAL_MACHINE\\") + kRootKeyPath + ", value " + kRootValueName +
           " (both views)";
}

}  // namespace suite
