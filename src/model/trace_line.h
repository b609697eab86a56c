// One line of the launch trace: how it is written and read back.
#ifndef TRUV_MODEL_TRACE_LINE_H
#define TRUV_MODEL_TRACE_LINE_H

#include <string>
#include <string_view>
#include <vector>

/// The fields of a trace line, GBK. Each field is one text without control characters.
struct TraceLine {
    std::string time;  ///< local time, "YYYY-MM-DD HH:MM:SS.mmm"
    std::string key;   ///< the key the host passed (empty for InitTruvApp)
    std::string event;
    std::vector<std::string> fields;
};

/// The fields separated by tabs and ended by CR LF. A control character inside a field (a tab,
/// the line feed of a two-line message) is written as '^' and the letter that names it ("^I",
/// "^J"), so that every event stays on one line; a caret of its own (no GBK trail byte) is
/// written "^~", so that every field reads back as it was.
std::string ComposeTraceLine(const TraceLine& line);

/// The text of a field as it was before ComposeTraceLine wrote it: "^I", "^J" and the other
/// names of control characters back as those characters, "^~" as '^'. A caret followed by
/// anything else, or ending the field, is itself (as older traces wrote it).
std::string UnescapeTraceField(std::string_view field);

/// Splits a line (with or without its CR LF) into its fields; false when it lacks the time, the
/// key or the event, or its time is not of the composed form.
bool ParseTraceLine(std::string_view text, TraceLine& line);

/// Where a trace line begins inside `text` after its start, at or after `from`: a time stamp
/// and a tab right after a byte that is no tab. So begins a line written after one that a full
/// disk or a crash cut short, with no line end between them. npos when there is none.
std::size_t FindGluedLine(std::string_view text, std::size_t from = 1);

#endif  // TRUV_MODEL_TRACE_LINE_H
