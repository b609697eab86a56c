// `truvhost trace FILE`: the launch trace in words, filtered by key or time.
#include "host/checks/trace_view.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "host/platform/exit_codes.h"
#include "host/platform/file_bytes.h"
#include "host/platform/host_system.h"
#include "plugin/inspect.h"

namespace host {
namespace {

/// How an event reads; %1, %2 and %3 stand for its fields.
struct EventWords {
    const char* event;
    const char* words;
};

// clang-format off
constexpr EventWords kEventWords[] = {
    {trace::kInit,       "InitTruvApp, menu file %1"},
    {trace::kCall,       "RunCommand, project folder %1"},
    {trace::kRow,        "row: %1"},
    {trace::kStart,      "start %1  (in %2)"},
    {trace::kShell,      "hand to the shell: %1 %2"},
    {trace::kEnd,        "ended, %2 after %3: %1"},
    {trace::kNotStarted, "NOT STARTED, %2: %1"},
    {trace::kTest,       "work file %1: %2"},
    {trace::kRead,       "request file %1: %2"},
    {trace::kDelete,     "delete %1: %2"},
    {trace::kBox,        "message box %1: %2"},
    {trace::kPath,       "PATH extended (%2): %1"},
};

// The forms of a --since time: 'd' is a digit.
constexpr std::string_view kTimeOfDayForms[] = {"dd:dd", "dd:dd:dd"};
constexpr std::string_view kDateTimeForms[]  = {"dddd-dd-dd", "dddd-dd-dd dd:dd",
                                                "dddd-dd-dd dd:dd:dd"};
// clang-format on

constexpr std::size_t kTimeOfDayStart = 11;  // in "YYYY-MM-DD HH:MM:SS.mmm"
// A line's further lines start under its key: after the time and two blanks.
constexpr std::size_t kFurtherLineIndent = 25;
constexpr std::size_t kChunkSize = std::size_t{64} << 10;
constexpr const char* kRowSeparator = " | ";

bool HasForm(std::string_view text, std::string_view form) {
    if (text.size() != form.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (form[i] == 'd' ? !digit : text[i] != form[i]) return false;
    }
    return true;
}

template <std::size_t N>
bool HasAnyForm(std::string_view text, const std::string_view (&forms)[N]) {
    for (const std::string_view form : forms) {
        if (HasForm(text, form)) return true;
    }
    return false;
}

/// The number of the two digits at `at`.
int TwoDigits(std::string_view text, std::size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

int DaysIn(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

/// Whether a time of one of the forms names a time there is: hours to 23, minutes and seconds
/// to 59, months 1 to 12, days that the month has.
bool IsPossibleTime(std::string_view text) {
    const bool withDate = text.size() >= 10 && text[4] == '-';
    if (withDate) {
        const int year = std::stoi(std::string(text.substr(0, 4)));
        const int month = TwoDigits(text, 5);
        if (month < 1 || month > 12) return false;
        const int day = TwoDigits(text, 8);
        if (day < 1 || day > DaysIn(year, month)) return false;
        if (text.size() == 10) return true;
        text.remove_prefix(11);
    }
    constexpr int kMost[] = {23, 59, 59};  // hours, minutes, seconds
    for (std::size_t part = 0; part * 3 < text.size(); ++part) {
        if (TwoDigits(text, part * 3) > kMost[part]) return false;
    }
    return true;
}

bool Passes(const TraceLine& line, const TraceFilter& filter) {
    if (!filter.key.empty() && line.key != filter.key) return false;
    if (filter.since.empty()) return true;
    const std::string_view time = line.time;
    const bool timeOfDay = HasAnyForm(filter.since, kTimeOfDayForms);
    return time.substr(timeOfDay ? kTimeOfDayStart : 0, filter.since.size()) >= filter.since;
}

// A control character as the reader's terminal must never take it: ESC as "^[", DEL as "^?".
// No GBK character holds such a byte, so a character is never cut.
std::string Inert(const std::string& text) {
    std::string shown;
    for (const char byte : text) {
        const auto code = static_cast<unsigned char>(byte);
        if (byte == '\n' || (code >= 0x20 && code != 0x7F)) {
            shown += byte;
        } else {
            shown += '^';
            shown += static_cast<char>(code ^ 0x40);
        }
    }
    return shown;
}

// A field as a person reads it: a line break (CR LF, LF or CR) as one, a tab as a blank, any
// other control character inert. The control characters of a field are single bytes
// (model/trace_line.h).
std::string Readable(const std::string& text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        shown += byte == '\r' ? '\n' : byte == '\t' ? ' ' : byte;
    }
    return Inert(shown);
}

// A catalogue row as its tokens, visibly apart.
std::string RowInWords(const std::string& row) {
    std::string shown;
    std::string spliced;
    ForEachToken(row, spliced, [&shown](std::string_view token) {
        if (!shown.empty()) shown += kRowSeparator;
        shown += token;
        return true;
    });
    return shown;
}

std::string FieldInWords(const TraceLine& line, std::size_t slot) {
    if (slot >= line.fields.size()) return {};
    const std::string field = UnescapeTraceField(line.fields[slot]);
    return line.event == trace::kRow && field != trace::kNoRow ? Inert(RowInWords(field))
                                                               : Readable(field);
}

std::string Words(const TraceLine& line) {
    for (const EventWords& entry : kEventWords) {
        if (line.event != entry.event) continue;
        std::string text;
        for (const char* at = entry.words; *at != '\0'; ++at) {
            const std::size_t slot = at[0] == '%' && at[1] >= '1' && at[1] <= '3' ? at[1] - '1' : 3;
            if (slot == 3) {
                text += *at;
                continue;
            }
            text += FieldInWords(line, slot);
            ++at;
        }
        return text;
    }
    std::string text = Readable(UnescapeTraceField(line.event));
    for (std::size_t slot = 0; slot < line.fields.size(); ++slot) {
        text += "  " + FieldInWords(line, slot);
    }
    return text;
}

std::string CountText(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string SizeText(std::uint64_t bytes) {
    return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MiB"
                               : CountText(bytes, "byte", "bytes");
}

}  // namespace

bool ParseTraceFilter(const std::vector<std::string>& options, TraceFilter& filter) {
    for (std::size_t i = 0; i < options.size(); i += 2) {
        if (i + 1 >= options.size()) return false;
        const std::string& value = options[i + 1];
        if (options[i] == "--key") {
            filter.key = value;
        } else if (options[i] == "--since" &&
                   (HasAnyForm(value, kTimeOfDayForms) || HasAnyForm(value, kDateTimeForms)) &&
                   IsPossibleTime(value)) {
            filter.since = value;
        } else {
            return false;
        }
    }
    return true;
}

void TraceReader::Feed(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (longLine_ > 0) {
            longLine_ += piece.size();  // the rest of a long line: counted, not held
        } else if (!passing_) {
            // One byte more for the CR of the line end.
            const std::size_t room = kLongestTraceLine + 1 - line_.size();
            line_.append(piece.substr(0, room));
            if (piece.size() > room) longLine_ = line_.size() + piece.size() - room;
        }
        if (longLine_ > 0 && !piece.empty()) longLineEndsInCr_ = piece.back() == '\r';
        if (end == std::string_view::npos) return;
        EndLine();
        bytes.remove_prefix(end + 1);
    }
}

void TraceReader::Finish() {
    EndLine();
    if (unreadable_ == 0) return;
    show_("(" +
          CountText(unreadable_, "line not in the trace's form was",
                    "lines not in the trace's form were") +
          " left out: cut short, or not a trace)");
    unreadable_ = 0;
}

void TraceReader::EndLine() {
    if (longLine_ == 0 && line_.size() > kLongestTraceLine && !line_.ends_with('\r')) {
        longLine_ = line_.size();  // one byte over, and that byte is no CR
        longLineEndsInCr_ = false;
    }
    if (longLine_ > 0) {
        line_.resize(std::min(line_.size(), kLongestTraceLine));
        // Cut after its last whole character, and shown with a mark.
        std::size_t whole = 0;
        while (whole < line_.size() && whole + gbk::CharLength(line_, whole) <= line_.size()) {
            whole += gbk::CharLength(line_, whole);
        }
        TakeOne(std::string_view(line_).substr(0, whole),
                " [cut: the line holds " + std::to_string(longLine_ - longLineEndsInCr_) +
                    " bytes, the first " + std::to_string(whole) + " are shown]");
    } else if (!passing_) {
        Take(line_);
    }
    passing_ = false;
    longLine_ = 0;
    line_.clear();
}

// A line cut short, with the next line right after it, is two lines; the first is counted
// unless only its line feed is missing.
void TraceReader::Take(std::string_view text) {
    for (std::size_t start = 0;;) {
        const std::size_t next = FindGluedLine(text, start + 1);
        const std::string_view one = text.substr(start, next - start);
        if (next == std::string_view::npos || one.ends_with('\r')) {
            TakeOne(one);
        } else {
            ++unreadable_;
        }
        if (next == std::string_view::npos) return;
        start = next;
    }
}

void TraceReader::TakeOne(std::string_view text, const std::string& mark) {
    TraceLine line;
    if (!ParseTraceLine(text, line)) {
        if (!text.empty() && text != "\r") ++unreadable_;
        return;
    }
    if (!Passes(line, filter_)) return;
    // InitTruvApp has no key.
    const std::string key =
        line.key.empty() ? std::string() : "[" + Readable(UnescapeTraceField(line.key)) + "]  ";
    std::string words = Words(line);
    while (words.ends_with('\n')) words.pop_back();
    words += mark;
    std::string_view rest = words;
    std::string shown = line.time + "  " + key;
    for (;;) {
        const std::size_t end = rest.find('\n');
        show_(shown + std::string(rest.substr(0, end)));
        if (end == std::string_view::npos) return;
        rest.remove_prefix(end + 1);
        shown.assign(kFurtherLineIndent, ' ');
    }
}

std::vector<std::string> TraceView(const std::string& bytes, const TraceFilter& filter) {
    std::vector<std::string> lines;
    TraceReader reader(filter, [&lines](const std::string& line) { lines.push_back(line); });
    reader.Feed(bytes);
    reader.Finish();
    return lines;
}

bool ShowTraceFile(const std::string& path, const TraceFilter& filter, std::uint64_t tailLimit,
                   const ShowLine& show, std::string& error) {
    os::File file;
    if (const os::Status status = file.OpenSharedRead(path); status != os::kSuccess) {
        error = ReadErrorText(status, 0);
        return false;
    }
    TraceReader reader(filter, show);
    if (filter.key.empty() && filter.since.empty()) {
        // One byte more, so that a window that begins with a line loses none of it.
        const std::optional<std::uint64_t> skipped = file.SkipToLast(tailLimit + 1);
        if (!skipped) {
            error = ReadErrorText(os::LastError(), 0);
            return false;
        }
        if (*skipped > 0) {
            show("(the trace holds " + SizeText(*skipped + tailLimit + 1) + ": its last " +
                 SizeText(tailLimit) + " follow, the newest picks; --key or --since reads all)");
            reader.BeginInsideALine();
        }
    }
    std::vector<char> chunk(kChunkSize);
    for (;;) {
        const long count = file.Read(chunk.data(), static_cast<long>(chunk.size()));
        if (count < 0) {
            error = "could not be read to its end (system error " +
                    std::to_string(os::LastError()) + ")";
            return false;
        }
        if (count == 0) break;
        reader.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(count)));
    }
    reader.Finish();
    return true;
}

int TraceCommand(const Console& console, const std::string& file,
                 const std::vector<std::string>& options) {
    TraceFilter filter;
    if (!ParseTraceFilter(options, filter)) return kExitUsage;
    // Written without a flush per line: a trace may hold millions, and starts nothing.
    const ShowLine show = [&console](const std::string& line) { console.Write(line + "\n"); };
    std::string error;
    if (!ShowTraceFile(file, filter, kTraceTailLimit, show, error)) {
        console.Line("truvhost: " + file + " " + error);
        return kExitProblem;
    }
    return kExitDone;
}

}  // namespace host
