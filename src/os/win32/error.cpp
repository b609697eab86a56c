// Win32 half of the error codes: the thread's last error and the system's text for a code.
#include "os/os.h"
#include "os/win32/windows_support.h"

namespace os {

Status LastError() {
    return GetLastError();
}

std::string ErrorText(Status code) {
    // The system allocates the buffer (ALLOCATE_BUFFER), looks the code up in its own table
    // (FROM_SYSTEM) and leaves "%1"-style inserts as they are (IGNORE_INSERTS): 0x1300.
    constexpr DWORD kFlags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    char* buffer = nullptr;
    const DWORD length =
        FormatMessageA(kFlags, /*lpSource=*/nullptr, code,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),  // the user's default language
                       reinterpret_cast<char*>(&buffer), /*nSize=*/0, /*Arguments=*/nullptr);
    if (length == 0 || buffer == nullptr) {
        return {};
    }
    std::string text(buffer, length);
    LocalFree(buffer);
    return text;
}

}  // namespace os
