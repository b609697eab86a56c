// The few operating-system calls of the host that the plug-in's seam does not offer: the
// terminal's arguments and output mode, path joining, the user's state folder.
// One header, a Windows half (host_system_win32.cpp) and a POSIX half (host_system_posix.cpp)
// chosen by the build.
#ifndef TRUV_HOST_PLATFORM_HOST_SYSTEM_H
#define TRUV_HOST_PLATFORM_HOST_SYSTEM_H

#include <cstddef>
#include <string>
#include <vector>

namespace host::sys {

/// `dir` and `name` joined by the platform's separator ('\' or '/').
std::string Join(const std::string& dir, const std::string& name);

/// `path` as the platform writes path names: on Windows as it is; on POSIX with every '\'
/// that separates shown as '/' (the emulation reads '\' as a separator; a GBK trail byte is
/// left alone).
std::string ShownPath(const std::string& path);

/// The command-line arguments after the program name, as GBK texts (keys and titles).
/// Windows: from the wide command line, whatever the ANSI code page; POSIX: UTF-8 converted,
/// unless `rawGbk`.
std::vector<std::string> CommandArguments(int argc, char** argv, bool rawGbk);

/// The same arguments as path names of the plug-in's seam, GBK on both platforms: as
/// CommandArguments.
std::vector<std::string> PathArguments(int argc, char** argv, bool rawGbk);

/// Position of the last path separator ('\' or '/') of the host's path name `path`; npos
/// when there is none. GBK, so a trail byte 0x5C is no separator.
std::size_t LastSeparator(const std::string& path);

/// The user's folder for what programs remember between runs: Windows %APPDATA%; POSIX
/// $XDG_STATE_HOME when it is absolute, else ~/.local/state. Empty when none is known. GBK,
/// as every path name here; MakeFolders translates it back on POSIX.
std::string UserStateFolder();

/// Makes `folder` and the folders above it that are missing; true when it is a folder now.
bool MakeFolders(const std::string& folder);

/// Windows: standard output in binary mode, so that lines end in LF as written. POSIX: a
/// closed standard stream is opened on /dev/null, so that no file the host or the plug-in
/// opens takes its place. False when standard output was closed: nothing written reaches
/// anybody.
bool PrepareStandardOutput();

/// Right after a write to standard output failed: true when the system's last error says the
/// reader closed its end of a pipe (`| head`, a pager quit), which is normal use; false for
/// other failures (a full disk). POSIX: PrepareStandardOutput catches SIGPIPE, so that such a
/// write fails with EPIPE rather than ending the host.
bool LastErrorIsClosedPipe();

}  // namespace host::sys

#endif  // TRUV_HOST_PLATFORM_HOST_SYSTEM_H
