// Win32 half of the message box: the system's own modal box.
#include "os/os.h"
#include "os/win32/windows_support.h"

namespace os {

int ShowMessageBox(const std::string& caption, const std::string& text, std::uint32_t style) {
    // No owner window: the plug-in does not know the host's windows.
    return MessageBoxA(/*hWnd=*/nullptr, text.c_str(), caption.c_str(), style);
}

}  // namespace os
