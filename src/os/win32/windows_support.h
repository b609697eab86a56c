// The win32 backend's one door to <windows.h>, and the handle conversions its files share.
#ifndef TRUV_OS_WIN32_WINDOWS_SUPPORT_H
#define TRUV_OS_WIN32_WINDOWS_SUPPORT_H

#include <windows.h>

#include <shellapi.h>  // ShellExecuteExA, not part of the lean set; needs <windows.h> first

// <windows.h> maps these names onto their A/W variants with macros; the seam declares
// functions of the same names in namespace os, so the macros must not rename them here.
#undef DeleteFile
#undef GetEnvironmentVariable
#undef SetEnvironmentVariable
#undef SetCurrentDirectory

#include <cstdint>
#include <string>

namespace os::win32 {

/// The seam keeps handles as integers so that os.h need not include <windows.h>.
inline HANDLE ToHandle(std::intptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}
inline std::intptr_t FromHandle(HANDLE handle) {
    return reinterpret_cast<std::intptr_t>(handle);
}

/// How CreateProcessA is to find the program of a command line.
struct BareProgramLookup {
    bool bare = false;  ///< the program is named without drive or directory
    std::string path;   ///< for a bare name: the file found, empty when none was
};

/// For a program named without a path: the first file of that name (".exe" added to a name
/// without extension) in the host executable's folder, the system folders and the absolute
/// folders of "PATH", in that order; never in the current directory.
BareProgramLookup FindBareProgram(const std::string& commandLine);

/// `text` in the code page `codePage` as UTF-16, and back: the backend's one conversion
/// between narrow and wide characters (a character the target lacks becomes its default).
std::wstring Widen(const std::string& text, unsigned codePage);
std::string Narrow(const std::wstring& wide, unsigned codePage);

}  // namespace os::win32

#endif  // TRUV_OS_WIN32_WINDOWS_SUPPORT_H
