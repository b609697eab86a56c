// The plug-in's one seam to the operating system.
//
// Everything above this header is written once, against Windows semantics: status codes are
// Win32 error codes, names and wildcards match without regard to case, '\' separates path
// elements and command lines follow the Windows quoting rules. The win32 backend makes the
// real calls; the posix backend emulates them and documents each choice where it is made.
// The backend is chosen at link time (src/os/win32 or src/os/posix); there is no virtual
// interface.
#ifndef TRUV_OS_OS_H
#define TRUV_OS_OS_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace os {

/// A Win32 error code (0 is success). The posix backend maps errno onto these.
using Status = std::uint32_t;

inline constexpr Status kSuccess = 0;
inline constexpr Status kFileNotFound = 2;
inline constexpr Status kPathNotFound = 3;
inline constexpr Status kTooManyOpenFiles = 4;
inline constexpr Status kAccessDenied = 5;
inline constexpr Status kInvalidHandle = 6;
inline constexpr Status kNotEnoughMemory = 8;
inline constexpr Status kWriteFault = 29;
inline constexpr Status kReadFault = 30;
inline constexpr Status kSharingViolation = 32;
inline constexpr Status kLockViolation = 33;
inline constexpr Status kHandleDiskFull = 39;
inline constexpr Status kFileExists = 80;
inline constexpr Status kInvalidParameter = 87;
inline constexpr Status kDiskFull = 112;
inline constexpr Status kInvalidName = 123;
inline constexpr Status kAlreadyExists = 183;
inline constexpr Status kFilenameTooLong = 206;
inline constexpr Status kFileTooLarge = 223;
inline constexpr Status kMoreData = 234;
inline constexpr Status kDirectory = 267;

/// The calling thread's last error, as GetLastError reports it after a failed call here.
Status LastError();

/// The system's text for an error code (FormatMessageA with the user's default language);
/// empty when the system has none.
std::string ErrorText(Status code);

// ---------------------------------------------------------------------------------------
// Message boxes

inline constexpr std::uint32_t kBoxOk = 0x00;
inline constexpr std::uint32_t kBoxIconMask = 0xF0;
inline constexpr std::uint32_t kBoxIconExclamation = 0x30;

/// Shows a modal box with an OK button and waits until it is closed; returns the answer.
int ShowMessageBox(const std::string& caption, const std::string& text, std::uint32_t style);

// ---------------------------------------------------------------------------------------
// Directories and modules

/// The process's current directory, whole; nothing when the system cannot tell.
std::optional<std::string> CurrentDirectory();

/// Makes `dir` the process's current directory; false (and LastError) on failure.
bool SetCurrentDirectory(const std::string& dir);

/// Full path of the executable that started this process (GetModuleFileNameA(NULL, ...)).
std::string HostExecutablePath();

/// Full path of the module that holds this code: the plug-in library, or the executable
/// it was linked into.
std::string OwnModulePath();

/// The path separator of the platform's PATH variable: ';' on Windows, ':' on POSIX.
char PathListSeparator();

/// The plug-in's GBK text in UTF-8, as terminals show it; a byte that does not convert
/// becomes '?' (POSIX: iconv; Windows: code page 936 through wide characters).
std::string GbkToUtf8(const std::string& gbk);

/// UTF-8 text in GBK; a character GBK lacks becomes '?' (Windows) or the byte 0xFF, which no
/// GBK text holds (POSIX): either way a path that holds one is refused (error 123).
std::string Utf8ToGbk(const std::string& utf8);

/// GBK text as the system's wide characters (Windows: UTF-16, what a console and the wide
/// command line take; POSIX: one wchar_t per character), and back. A byte or a character
/// that does not convert becomes '?' (Windows: the code page's default character).
std::wstring GbkToWide(const std::string& gbk);
std::string WideToGbk(const std::wstring& wide);

// ---------------------------------------------------------------------------------------
// Wildcard search and deletion (FindFirstFileA semantics: '*' and '?', without regard to
// case, files and directories alike; a relative pattern is searched in the current directory)

/// How the bytes of the file names this seam hands out form characters: GBK on Windows (the
/// suite's ANSI code page) and on POSIX (the backend translates the file system's UTF-8).
enum class NameEncoding { kGbk, kUtf8 };
NameEncoding FileNameEncoding();

/// True when at least one entry matches `pattern`.
bool PatternExists(const std::string& pattern);

/// The names (without directory) of the entries that match `pattern`, in search order.
std::vector<std::string> FindMatches(const std::string& pattern);

/// Deletes one file; kSuccess or the reason it was not deleted.
Status DeleteFile(const std::string& path);

/// Gives the file `from` the name `to` (both in one directory) in one step, and makes the new
/// name last through a power loss before it returns (MoveFileExA with MOVEFILE_WRITE_THROUGH).
/// With `replaceExisting` a file under `to` is replaced; without it anything there makes the
/// move fail with kAlreadyExists and stays as it is. A caller without `replaceExisting` has
/// just looked at `to` (LookAtName) and found nothing: the POSIX emulation of case-blind names
/// does not look for other spellings of `to` again.
Status MoveFileDurably(const std::string& from, const std::string& to, bool replaceExisting);

/// Lets `milliseconds` pass without using the processor (Sleep).
void Pause(std::uint32_t milliseconds);

/// What stands under a name; a link is looked at itself, never followed.
struct NameInfo {
    enum class Kind { kNothing, kFile, kFolder, kOther };  // kOther: a link, a device, ...
    Kind kind = Kind::kNothing;
    std::uint64_t size = 0;              // of a file
    std::int64_t secondsSinceWrite = 0;  // since its last write; negative when in the future
};
/// Nothing is there, or it could not be looked at: LastError tells which (kFileNotFound).
NameInfo LookAtName(const std::string& path);

// ---------------------------------------------------------------------------------------
// Files

/// One open file. Move-only; the destructor closes it.
class File {
public:
    File() = default;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    /// Opens an existing file for reading, sharing it with nobody (CreateFileA share mode 0):
    /// while another process holds it open the open fails. Anything but a regular disk file
    /// (a directory, a pipe, a device) is refused with kAccessDenied, without waiting.
    Status OpenExclusiveRead(const std::string& path);

    /// Opens an existing file for reading, sharing it with every other opener; refuses what
    /// is no regular disk file as OpenExclusiveRead does.
    Status OpenSharedRead(const std::string& path);

    /// Creates (or truncates) a file for writing only.
    Status CreateForWriting(const std::string& path);

    /// Creates a new file for writing only; fails when anything exists under `path` (a file, a
    /// directory, a link even to nothing), which is neither opened nor followed.
    Status CreateNew(const std::string& path);

    bool IsOpen() const { return native_ != kClosed; }

    /// Reads up to `size` bytes; the count read, 0 at the end, -1 on error.
    long Read(char* buffer, long size);

    /// Moves the reading position to the last `count` bytes of the file (to its start when it
    /// is shorter); the number of bytes passed over, nothing on failure (and LastError).
    std::optional<std::uint64_t> SkipToLast(std::uint64_t count);

    /// Reads the next line as a text-mode stream does: up to LF, a CR before it dropped.
    /// False at the end of the file (or on a read error) with nothing read.
    bool ReadLine(std::string& line);

    /// Writes all of `bytes`; false (and LastError) when not all could be written.
    bool Write(const std::string& bytes);

    /// Writes what the system holds of the file through to the disk (FlushFileBuffers);
    /// false (and LastError) on failure.
    bool Flush();

    /// Closes the file; false when the system reports that buffered data could not be kept.
    bool Close();

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t native_ = kClosed;
    std::string pending_;  // bytes read ahead by ReadLine
    bool atEnd_ = false;
};

/// Whether a file being read may be open elsewhere at the same time.
enum class Sharing { kExclusive, kShared };

/// Reads the whole of the small file `path` into `bytes`, never waiting: it is opened as
/// OpenExclusiveRead or OpenSharedRead opens it (anything but a regular disk file is refused
/// with kAccessDenied), and refused with kFileTooLarge once it holds more than `limit` bytes,
/// having read no more than that. On any failure `bytes` is empty.
Status ReadSmallFile(const std::string& path, std::size_t limit, Sharing sharing,
                     std::string& bytes);

// ---------------------------------------------------------------------------------------
// Trace files

/// How long AppendToFile waits at most for its turn at a file that others hold locked.
inline constexpr std::uint32_t kAppendPatienceMs = 200;

/// Appends `bytes` to the file `path` in one write, creating the file when it is missing, whole
/// or not at all: a write cut short (a full disk, a file-size limit) is taken back. Other
/// writers, in this process or another, may append to the same file at the same time: each
/// takes its turn and lands whole at the end. A file that another program keeps locked is
/// waited for kAppendPatienceMs at most, then left alone (kLockViolation). Never raises a
/// signal (POSIX: SIGXFSZ). The thread's last error is left as it was, so that appending never
/// disturbs the report of the failure being traced.
Status AppendToFile(const std::string& path, const std::string& bytes);

/// What the system knows a file or folder by, whichever name reaches it (another case, a
/// relative or short name, a link): its volume and its number on the volume.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};

/// The identity of what `path` names, links followed; nothing when nothing is there or the
/// system cannot tell.
std::optional<FileIdentity> IdentityOf(const std::string& path);

/// A local date and time, to the millisecond.
struct LocalTime {
    int year = 0;
    int month = 0;  ///< 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

/// The local date and time now.
LocalTime LocalTimeNow();

/// Milliseconds on a clock that only moves forward (since the system started).
std::uint64_t SteadyMilliseconds();

// ---------------------------------------------------------------------------------------
// Environment

/// The value of an environment variable, whole; nothing when it is not set.
std::optional<std::string> GetEnvironmentVariable(const std::string& name);

/// Sets an environment variable of this process; false when the system refuses.
bool SetEnvironmentVariable(const std::string& name, const std::string& value);

/// A snapshot of the process environment (GetEnvironmentStrings, ANSI), released by its
/// destructor (FreeEnvironmentStringsA).
class EnvironmentBlock {
public:
    EnvironmentBlock();
    EnvironmentBlock(const EnvironmentBlock&) = delete;
    EnvironmentBlock& operator=(const EnvironmentBlock&) = delete;
    ~EnvironmentBlock();

    /// The block in the platform's form: the pointer that CreateProcessA takes.
    void* Native() const { return native_; }

private:
    void* native_ = nullptr;
};

// ---------------------------------------------------------------------------------------
// Processes

/// A started process. Move-only; the destructor closes its handles.
class Process {
public:
    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    bool IsValid() const { return handle_ != kNone; }

    /// Waits without a time limit until the process has ended (WaitForSingleObject INFINITE).
    void Wait();

    /// The exit code of an ended process (GetExitCodeProcess).
    std::uint32_t ExitCode();

    /// Closes the handles (CloseHandle); the process itself goes on.
    void Close();

    /// Backend use only: takes ownership of native handles.
    void Adopt(std::intptr_t handle, std::intptr_t thread);

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;
    std::intptr_t thread_ = kNone;
};

/// Starts `commandLine` (CreateProcessA: no application name, no inherited handles, a start-up
/// record that asks for no window state) with `environment` and `currentDir`.
Status StartProcess(const std::string& commandLine, const EnvironmentBlock& environment,
                    const std::string& currentDir, Process& started);

/// The file that a process start opens for `program`, the first element of a command line
/// (unquoted). A name with a drive or directory is taken as it stands; a bare name is looked
/// for in the host executable's folder, then the system's folders (Windows), then the
/// full folder paths of "PATH", in order, never in the current directory. A name without an
/// extension gets ".exe" (on POSIX, where programs have none, after the name itself is
/// tried). nullopt when there is no such file. StartProcess finds its program this way.
std::optional<std::string> FindProgramFile(const std::string& program);

/// The elements of the "PATH" value `path` that FindProgramFile passes over, as written
/// (empty ones left out). Windows: every element but a full folder path ("X:\...", "X:/...",
/// "\\server\..." or a bare drive "X:", which the system's search reads as "X:\", the
/// drive's root): a drive-relative element ("C:bin") or a relative one names a folder through
/// that drive's current directory, which is the project folder. POSIX: every element not
/// beginning with '/'.
std::vector<std::string> UnsearchedPathElements(const std::string& path);

/// The shell's "open" verb (ShellExecuteExA with SEE_MASK_FLAG_DDEWAIT and
/// SEE_MASK_NOCLOSEPROCESS, no owner window, SW_SHOWNORMAL, the current directory inherited).
/// `started` holds the process when the shell handed one back.
Status ShellOpen(const std::string& file, const std::string& parameters, Process& started);

// ---------------------------------------------------------------------------------------
// Registry (HKEY_LOCAL_MACHINE only; the plug-in reads and never writes)

using RegistryKey = void*;

inline constexpr std::uint32_t kKeyRead = 0x20019;

/// Opens an existing key of HKEY_LOCAL_MACHINE with `access`; never creates one.
Status RegistryOpen(const std::string& subKey, std::uint32_t access, RegistryKey& key);

/// RegQueryValueExA into `buffer` of `size` bytes; on return `size` holds the byte count the
/// registry reported. ERROR_MORE_DATA leaves the buffer untouched.
Status RegistryQuery(RegistryKey key, const std::string& valueName, char* buffer,
                     std::uint32_t& size);

/// RegCloseKey.
void RegistryClose(RegistryKey key);

}  // namespace os

#endif  // TRUV_OS_OS_H
