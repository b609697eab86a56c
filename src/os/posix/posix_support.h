// Private helpers of the posix backend: last-error bookkeeping, errno mapping, the emulation of
// Windows path names, program lookup and process spawning.
#ifndef TRUV_OS_POSIX_POSIX_SUPPORT_H
#define TRUV_OS_POSIX_POSIX_SUPPORT_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "os/os.h"

namespace os::posix {

/// Win32 codes that only the posix backend produces (not used by portable callers).
inline constexpr Status kBadEnvironment = 10;  // here: a variable too long to pass on
inline constexpr Status kNotSameDevice = 17;
inline constexpr Status kDirNotEmpty = 145;
inline constexpr Status kBadExeFormat = 193;
inline constexpr Status kNoAssociation = 1155;

/// An errno that has no Win32 counterpart travels as this application bit (bit 29, which
/// Windows leaves to applications) plus the errno, so its text can still be found.
inline constexpr Status kErrnoBit = 0x20000000;

/// Records `code` as the calling thread's last error.
void SetLastError(Status code);

/// The Win32 code for `err`. `parentExists` decides ENOENT: 2 (the last element is missing)
/// or 3 (a directory on the way is missing).
Status StatusFromErrno(int err, bool parentExists = true);

/// Records the code for `err` as last error and returns it.
Status FailWithErrno(int err, bool parentExists = true);

/// Records `code` as last error and returns it.
Status Fail(Status code);

/// True when the GBK texts `a` and `b` are equal without regard to the case of ASCII letters
/// outside double-byte characters (registry names).
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Path names. Below the seam a path name is what the file system holds: the bytes of getcwd,
// readdir and /proc/self/exe, UTF-8. The callers' names (the installation root, the
// directory lines of "CFGPATH", the project directory) are GBK and are translated at the
// seam's functions (transcode.h); every helper declared here takes and gives the file
// system's bytes. In UTF-8 no byte of a multi-byte character is below 0x80, so every '/' and
// '\' byte is a separator and ASCII letters fold byte by byte, whatever precedes them.

/// The current directory as the file system spells it; nothing (and LastError) on failure.
std::optional<std::string> NativeCurrentDirectory();

/// The executable's path as the file system spells it; empty when it cannot be told.
std::string NativeExecutablePath();

/// True when the path names `a` and `b` are equal without regard to the case of ASCII letters.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

/// A Windows-style path mapped onto the file system.
struct ResolvedPath {
    std::string path;           // '/' separators; existing elements spelled as on disk
    bool exists = false;        // the whole path exists
    bool parentExists = false;  // every element but the last exists (as a directory)
    bool isDirectory = false;   // the path exists and is (or links to) a directory
};

/// `windowsPath` as spelled, with '/' for every '\\': the path ResolvePath tries first.
std::string SpelledPath(std::string_view windowsPath);

/// Maps `windowsPath` onto the file system: '\' separates like '/', and each element that
/// does not exist as spelled is looked up in its directory without regard to ASCII case (an
/// exact match wins). Elements after the first missing one are kept as spelled.
ResolvedPath ResolvePath(std::string_view windowsPath);

/// `windowsPath`, a name a caller has just looked at and found nothing under, where it stands
/// beside `siblingPath` (resolved as `sibling`): its last element is taken as spelled in the
/// folder `sibling` was found in, not looked up again. Any other path is resolved.
ResolvedPath ResolveBeside(const ResolvedPath& sibling, std::string_view siblingPath,
                           std::string_view windowsPath);

/// Position of the last separator ('\' or '/') in the path name `path`; npos when none.
std::size_t LastSeparator(std::string_view path);

/// The result of looking a program up as CreateProcessA would.
struct ProgramLookup {
    std::string path;  // absolute path of the program found
    Status status = kSuccess;
};

/// Finds the program `name` (argv[0] of a command line). With a directory part the path is
/// resolved directly; without one the host executable's directory and each absolute element of
/// `searchPath` (':' separated) are tried, never the current directory. In each place NAME and, for
/// a name without extension, NAME.exe are looked up without regard to case.
ProgramLookup FindProgram(const std::string& name, std::string_view searchPath);

/// Starts `program` with `args` (args[0] included) and the environment `envp` in `dir` (the
/// current directory when empty); on success `started` holds the process.
Status Spawn(const std::string& program, const std::vector<std::string>& args, char* const* envp,
             const std::string& dir, Process& started);

}  // namespace os::posix

#endif  // TRUV_OS_POSIX_POSIX_SUPPORT_H
