// The launch trace: when the environment variable "TRUVAPP_TRACE" names a file, every call of
// an export appends to it one line per event (model/trace_line.h), so that support can see
// afterwards what a pick did. Without the variable nothing is measured or written.
#ifndef TRUV_MODEL_TRACE_H
#define TRUV_MODEL_TRACE_H

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace os {
class Process;
}

namespace trace {

inline constexpr const char* kVariable = "TRUVAPP_TRACE";

// The events, as the trace names them; the fields each one carries follow it.
inline constexpr const char* kInit = "init";               // the menu file's path
inline constexpr const char* kCall = "call";               // the project directory
inline constexpr const char* kRow = "row";                 // the row found, or kNoRow
inline constexpr const char* kStart = "start";             // command line, folder
inline constexpr const char* kShell = "shell";             // command text handed to the shell
inline constexpr const char* kEnd = "end";                 // command line, exit code, duration
inline constexpr const char* kNotStarted = "not started";  // command line, system error
inline constexpr const char* kTest = "test";               // pattern, kPresent or kAbsent
inline constexpr const char* kRead = "read";               // file, what its second byte asks
inline constexpr const char* kDelete = "delete";           // file, kDeleted or the system error
inline constexpr const char* kBox = "box";                 // letter, text
inline constexpr const char* kPath = "PATH";               // the new value, its outcome

inline constexpr const char* kNoRow = "none";
inline constexpr const char* kPresent = "present";
inline constexpr const char* kAbsent = "absent";
inline constexpr const char* kDeleted = "deleted";
inline constexpr const char* kNoMatch = "no file matches";
inline constexpr const char* kUnlettered = "-";  // a box without a letter of its own

/// The trace of one call of an export on this thread, from construction to destruction. Reads
/// the variable once; while it names a file, the events below are appended to that file.
/// A file that cannot be written is ignored: tracing never changes what a call does. The menu
/// file and its temporaries are never traced into (the first event checks, after InitTruvApp
/// has written the menu file); a file that another program keeps locked costs a call one
/// short wait, after which the call's remaining events are left out.
class CallScope {
public:
    explicit CallScope(std::string key);
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;
    ~CallScope();

private:
    friend bool Active();
    friend void Event(std::string_view event, std::initializer_list<std::string_view> fields);
    std::string file_;  // empty once the file is refused
    std::string key_;
    CallScope* outer_;
    bool checked_ = false;  // whether the file was checked against the menu file
};

/// True while the calling thread's current call is traced.
bool Active();

/// Appends one line to the current call's trace: time, key, `event`, `fields`. Does nothing
/// when the call is not traced.
void Event(std::string_view event, std::initializer_list<std::string_view> fields = {});

/// "exit 0", "exit 3" or, for a status, "exit 0xC0000005".
std::string ExitText(std::uint32_t code);

/// The time a program runs, measured only while tracing.
class Stopwatch {
public:
    Stopwatch();
    /// "123 ms" since construction.
    std::string ElapsedText() const;

private:
    std::uint64_t start_ = 0;
};

/// The kEnd event of an ended program: its exit code (read only while tracing) and how long
/// it ran since `started`.
void Ended(const std::string& command, os::Process& process, const Stopwatch& started);

/// The kDelete event of one file: kDeleted, or the system error that kept it.
void Deleted(const std::string& file, std::uint32_t status);

/// The kNotStarted event: the system refused to start `command` with `error`.
void NotStarted(const std::string& command, std::uint32_t error);

}  // namespace trace

#endif  // TRUV_MODEL_TRACE_H
