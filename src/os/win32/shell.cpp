// Win32 half of the shell's "open": ShellExecuteExA.
#include "os/os.h"
#include "os/win32/system_calls.h"
#include "os/win32/windows_support.h"

namespace os {

namespace {

/// The shell's own failure codes (hInstApp at most 32) as Win32 error codes. Some systems
/// leave the thread's last error at 0 after a failure they reported in their own box; the
/// shell's code still tells what went wrong.
Status ShellFailure(HINSTANCE shellCode) {
    struct Mapping {
        INT_PTR shell;
        Status status;
    };
    // clang-format off
    static constexpr Mapping kMappings[] = {
        {SE_ERR_FNF,             ERROR_FILE_NOT_FOUND},
        {SE_ERR_PNF,             ERROR_PATH_NOT_FOUND},
        {SE_ERR_ACCESSDENIED,    ERROR_ACCESS_DENIED},
        {SE_ERR_OOM,             ERROR_NOT_ENOUGH_MEMORY},
        {ERROR_BAD_FORMAT,       ERROR_BAD_FORMAT},
        {SE_ERR_SHARE,           ERROR_SHARING_VIOLATION},
        {SE_ERR_ASSOCINCOMPLETE, ERROR_NO_ASSOCIATION},
        {SE_ERR_NOASSOC,         ERROR_NO_ASSOCIATION},
        {SE_ERR_DDETIMEOUT,      ERROR_DDE_FAIL},
        {SE_ERR_DDEFAIL,         ERROR_DDE_FAIL},
        {SE_ERR_DDEBUSY,         ERROR_DDE_FAIL},
        {SE_ERR_DLLNOTFOUND,     ERROR_DLL_NOT_FOUND},
    };
    // clang-format on
    const INT_PTR code = reinterpret_cast<INT_PTR>(shellCode);
    for (const Mapping& mapping : kMappings) {
        if (mapping.shell == code) {
            return mapping.status;
        }
    }
    return ERROR_GEN_FAILURE;  // a failure all the same, never success
}

}  // namespace

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
    if (!win32::systemCalls.shellExecuteEx(&info)) {
        const Status status = GetLastError();
        return status != kSuccess ? status : ShellFailure(info.hInstApp);
    }
    if (info.hProcess != nullptr) {
        started.Adopt(win32::FromHandle(info.hProcess), /*thread=*/-1);
    }
    return kSuccess;
}

}  // namespace os
