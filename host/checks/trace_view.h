// `truvhost trace FILE`: the launch trace in words, filtered by key or time.
#ifndef TRUV_HOST_CHECKS_TRACE_VIEW_H
#define TRUV_HOST_CHECKS_TRACE_VIEW_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/platform/console_text.h"

namespace host {

/// The longest line held whole: an event holds a command line, a folder or a message, and a
/// "PATH" value, on Windows at most as long as the system's largest variable (32767 bytes). A
/// longer line (POSIX allows such a "PATH") is shown up to here, with a mark that says how
/// long it is; the rest is passed over without being held.
inline constexpr std::size_t kLongestTraceLine = std::size_t{64} << 10;

/// A trace larger than this, read without --key or --since, is read from its end: the lines
/// of its last 64 MiB, the newest picks.
inline constexpr std::uint64_t kTraceTailLimit = std::uint64_t{64} << 20;

/// Which lines to show; an empty member lets every line through.
struct TraceFilter {
    std::string key;    ///< the key of the call, whole
    std::string since;  ///< "HH:MM" or "HH:MM:SS" (that time of any day), or a date and time
                        ///< "YYYY-MM-DD[ HH:MM[:SS]]"; lines at or after it
};

/// Reads "--key K" and "--since T" from `options`; false for anything else, a time not of
/// the forms above, or one there is not (25:00, 19:75, month 13, February 30).
bool ParseTraceFilter(const std::vector<std::string>& options, TraceFilter& filter);

/// What is shown: one line of text (GBK) at a time.
using ShowLine = std::function<void(const std::string&)>;

/// Reads a trace in pieces of any size and shows each line that passes the filter in words, a
/// message of several lines as several lines; it holds one line of the trace at a time. A line
/// that a full disk cut short, with the next one written right after it, is told apart at the
/// next one's time stamp. Lines not in the trace's form are counted in a last line.
class TraceReader {
public:
    TraceReader(TraceFilter filter, ShowLine show) : filter_(std::move(filter)), show_(show) {}

    /// The next bytes of the trace.
    void Feed(std::string_view bytes);
    /// Reading began inside a line: the bytes up to the first line end are passed over.
    void BeginInsideALine() { passing_ = true; }
    /// The end of the trace.
    void Finish();

private:
    void EndLine();
    void Take(std::string_view text);
    void TakeOne(std::string_view text, const std::string& mark = {});

    TraceFilter filter_;
    ShowLine show_;
    std::string line_;               // the bytes of the line being read
    bool passing_ = false;           // skipping a line cut at the start
    std::uint64_t longLine_ = 0;     // the bytes of a line too long to hold, so far; 0: none
    bool longLineEndsInCr_ = false;  // its last byte so far is a CR, no part of its text
    std::size_t unreadable_ = 0;
};

/// The lines of the trace `bytes` that pass `filter`, as TraceReader shows them.
std::vector<std::string> TraceView(const std::string& bytes, const TraceFilter& filter);

/// Shows the trace file `path` through a TraceReader, read in pieces. Without a key or a time
/// in `filter`, a file larger than `tailLimit` is read from its last `tailLimit` bytes, after
/// a line that says so. False with `error` (in words) when the file cannot be opened or read.
bool ShowTraceFile(const std::string& path, const TraceFilter& filter, std::uint64_t tailLimit,
                   const ShowLine& show, std::string& error);

/// `truvhost trace FILE [--key KEY] [--since TIME]`: the trace `file` in words on `console`,
/// `options` being what follows FILE. kExitUsage for options of another form, kExitProblem
/// when the file cannot be read.
int TraceCommand(const Console& console, const std::string& file,
                 const std::vector<std::string>& options);

}  // namespace host

#endif  // TRUV_HOST_CHECKS_TRACE_VIEW_H
