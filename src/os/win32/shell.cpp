// Win32 half of the shell's "open": ShellExecuteExA.
#include "os/os.h"
#include "os/win32/windows_support.h"

namespace os {

Status ShellOpen(const std::string& file, const std::string& parameters, Process& started) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // DDEWAIT: finish any DDE conversation before returning, since the caller may unload us.
    // NOCLOSEPROCESS: hand back the process so the caller can wait for it.
    // No FLAG_NO_UI: a failure shows the shell's own error box, as users of the suite know it.
    info.fMask = SEE_MASK_FLAG_DDEWAIT | SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = nullptr;  // no owner window
    info.lpVerb = "open";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = nullptr;  // the program inherits the current directory
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info)) {
        return GetLastError();
    }
    if (info.hProcess != nullptr) {
        started.Adopt(win32::FromHandle(info.hProcess), /*thread=*/-1);
    }
    return kSuccess;
}

}  // namespace os
