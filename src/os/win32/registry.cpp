// Win32 half of the registry: reading values under HKEY_LOCAL_MACHINE.
#include "os/os.h"
#include "os/win32/system_calls.h"
#include "os/win32/windows_support.h"

namespace os {

Status RegistryOpen(const std::string& subKey, std::uint32_t access, RegistryKey& key) {
    // RegOpenKeyExA, not RegCreateKeyExA: a missing key stays missing (the plug-in writes no
    // configuration).
    HKEY opened = nullptr;
    const LONG status = win32::systemCalls.regOpenKeyEx(HKEY_LOCAL_MACHINE, subKey.c_str(),
                                                        /*ulOptions=*/0, access, &opened);
    key = status == ERROR_SUCCESS ? static_cast<RegistryKey>(opened) : nullptr;
    return static_cast<Status>(status);
}

Status RegistryQuery(RegistryKey key, const std::string& valueName, char* buffer,
                     std::uint32_t& size) {
    DWORD type = 0;  // not looked at: a value of any type is taken as its bytes
    DWORD bytes = size;
    const LONG status = win32::systemCalls.regQueryValueEx(
        static_cast<HKEY>(key), valueName.c_str(),
        /*lpReserved=*/nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    size = bytes;
    return static_cast<Status>(status);
}

void RegistryClose(RegistryKey key) {
    if (key != nullptr) {
        RegCloseKey(static_cast<HKEY>(key));
    }
}

}  // namespace os
