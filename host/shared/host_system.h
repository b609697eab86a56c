// The few operating-system calls of the host that the plug-in's seam does not offer: loading
// a library, the terminal's arguments and output mode, and path joining.
// One header, a Windows half (host_system_win32.cpp) and a POSIX half (host_system_posix.cpp)
// chosen by the build.
#ifndef TRUV_HOST_HOST_SYSTEM_H
#define TRUV_HOST_HOST_SYSTEM_H

#include <cstddef>
#include <string>
#include <vector>

namespace host::sys {

/// `dir` and `name` joined by the platform's separator ('\' or '/').
std::string Join(const std::string& dir, const std::string& name);

/// `path` as the platform writes path names: on Windows as it is; on POSIX with every '\'
/// shown as '/' (path names there are UTF-8, where '\' is never part of a character, and the
/// emulation reads '\' as a separator).
std::string ShownPath(const std::string& path);

/// A path name of this system as GBK text for the console. Windows: as it is (path names are
/// GBK there); POSIX: its UTF-8 bytes converted, for path names there are the file system's
/// own bytes.
std::string PathText(const std::string& path);

/// The plug-in's file name on this platform ("truvApp.dll" or "truvApp.so").
const char* LibraryFileName();

/// The entry points' names as the suite's host looks them up: the decorated names of the
/// platform's compiler for `const char* InitTruvApp()` and `void RunCommand(char*)`.
const char* InitExportName();
const char* RunExportName();

/// Loads a library; nullptr with `error` set (the system's code or text) on failure.
void* OpenLibrary(const std::string& path, std::string& error);
/// An exported symbol of a loaded library; nullptr when it has none of that name.
void* FindSymbol(void* library, const char* name);
void CloseLibrary(void* library);

/// The command-line arguments after the program name, as GBK texts (keys and titles).
/// Windows: from the wide command line, whatever the ANSI code page; POSIX: UTF-8 converted,
/// unless `rawGbk`.
std::vector<std::string> CommandArguments(int argc, char** argv, bool rawGbk);

/// The same arguments as path names of this system. Windows: as CommandArguments (path names
/// are GBK); POSIX: the bytes as given, never converted (path names are the file system's).
std::vector<std::string> PathArguments(int argc, char** argv);

/// Position of the last path separator ('\' or '/') of the host's path name `path`; npos
/// when there is none. Windows: GBK, so a trail byte 0x5C is no separator; POSIX: the file
/// system's UTF-8 bytes, where every such byte separates.
std::size_t LastSeparator(const std::string& path);

/// The user's folder for what programs remember between runs: Windows %APPDATA%; POSIX
/// $XDG_STATE_HOME when it is absolute, else ~/.local/state. Empty when none is known.
std::string UserStateFolder();

/// Makes `folder` and the folders above it that are missing; true when it is a folder now.
bool MakeFolders(const std::string& folder);

/// Windows: standard output in binary mode, so that lines end in LF as written. POSIX: a
/// closed standard stream is opened on /dev/null, so that no file the host or the plug-in
/// opens takes its place. False when standard output was closed: nothing written reaches
/// anybody.
bool PrepareStandardOutput();

/// Right after a write to standard output failed: true when the reader closed its end of a
/// pipe (`| head`, a pager quit), which is normal use; false for other failures (a full disk).
/// POSIX: PrepareStandardOutput catches SIGPIPE, so that such a write fails with EPIPE rather
/// than ending the host.
bool ReaderClosedOutput();

}  // namespace host::sys

#endif  // TRUV_HOST_HOST_SYSTEM_H
