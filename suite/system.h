// The few operating-system calls that the stand-in and the sandbox need, in one place.
//
// Texts are raw bytes: GBK (the ANSI code page) on Windows, whatever the file system holds
// on POSIX. Paths use the platform's own separators. This is test tooling, not plug-in
// code: it calls the system directly and does not go through the plug-in's OS seam.
#ifndef TRUV_SUITE_SYSTEM_H
#define TRUV_SUITE_SYSTEM_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace suite::sys {

/// '\' on Windows, '/' on POSIX.
char Separator();

/// True for a byte that separates path elements ('\' and '/' on Windows, '/' on POSIX).
bool IsSeparator(char c);

/// True for the first byte of a double-byte character of the ANSI code page (GBK on the
/// suite's systems); never on POSIX, whose paths are plain bytes.
bool IsLeadByte(char c);

/// The separator of "PATH": ';' on Windows, ':' on POSIX.
char PathListSeparator();

/// The path name `path` of this system as the plug-in spells it, GBK: Windows as it is; POSIX
/// its UTF-8 converted (as it is when it cannot be), for the plug-in's POSIX backend
/// translates its GBK names to the file system's UTF-8.
std::string GbkSpelling(const std::string& path);

/// `dir` and `name` joined by one separator (none added when `dir` ends with one).
std::string Join(const std::string& dir, const std::string& name);

/// Everything before the last separator; empty when there is none.
std::string DirName(const std::string& path);

/// Everything after the last separator.
std::string BaseName(const std::string& path);

/// The file-name suffix of executables: ".exe" on Windows, empty on POSIX.
std::string ExecutableSuffix();

/// This process's id.
std::uint32_t ProcessId();

/// The full path of the running executable.
std::string OwnExecutablePath();

/// Windows: GetCommandLineA. POSIX: the arguments joined by single blanks.
std::string RawCommandLine(int argc, char** argv);

/// The process's current directory; empty when the system cannot tell.
std::string CurrentDirectory();

/// The value of an environment variable; nothing when it is not set.
std::optional<std::string> GetEnv(const std::string& name);

/// Sets (or, with nothing, removes) an environment variable of this process, so that the
/// processes it starts afterwards inherit it.
void SetEnv(const std::string& name, const std::optional<std::string>& value);

/// The system's last error code (GetLastError / errno), for messages.
std::uint32_t LastError();

/// True when a file or directory of that name exists.
bool Exists(const std::string& path);

enum class ReadResult { Read, Missing, Failed };

/// Reads a whole file.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes);

/// Creates or truncates a file and writes `bytes` to it.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

/// Appends `bytes` to a file (created when missing) with one write in append mode, so that
/// records of several processes never interleave.
bool AppendToFile(const std::string& path, const std::string& bytes);

enum class DeleteResult { Deleted, Missing, Failed };

/// Deletes one file.
DeleteResult RemoveFile(const std::string& path);

/// Creates a directory and any missing parents; true when it exists afterwards.
bool MakeDirectories(const std::string& path);

/// Copies an executable file, replacing `to`; on POSIX the copy is executable.
bool CopyExecutable(const std::string& from, const std::string& to);

/// Makes `to` a hard link of the executable `from`, replacing `to`, so that many program
/// names share one file; copies it where the file system has no hard links.
bool LinkExecutable(const std::string& from, const std::string& to);

/// Renames `from` to `to`, replacing `to` (both in one directory).
bool Rename(const std::string& from, const std::string& to);

/// Removes a directory with everything in it (read-only files included); best effort.
void RemoveTree(const std::string& path);

/// Creates a new, empty directory in the system's temporary folder; its name starts with
/// `prefix`. Empty on failure.
std::string MakeTempDirectory(const std::string& prefix);

}  // namespace suite::sys

#endif  // TRUV_SUITE_SYSTEM_H
