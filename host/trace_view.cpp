// `truvhost trace FILE`: the launch trace in words, filtered by key or time.
#include "host/trace_view.h"

#include <string_view>

#include "model/trace.h"
#include "model/trace_line.h"

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

bool Passes(const TraceLine& line, const TraceFilter& filter) {
    if (!filter.key.empty() && line.key != filter.key) return false;
    if (filter.since.empty()) return true;
    const std::string_view time = line.time;
    const bool timeOfDay = HasAnyForm(filter.since, kTimeOfDayForms);
    return time.substr(timeOfDay ? kTimeOfDayStart : 0, filter.since.size()) >= filter.since;
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
            if (slot < line.fields.size()) text += line.fields[slot];
            ++at;
        }
        return text;
    }
    std::string text = line.event;
    for (const std::string& field : line.fields) text += "  " + field;
    return text;
}

}  // namespace

bool ParseTraceFilter(const std::vector<std::string>& options, TraceFilter& filter) {
    for (std::size_t i = 0; i < options.size(); i += 2) {
        if (i + 1 >= options.size()) return false;
        const std::string& value = options[i + 1];
        if (options[i] == "--key") {
            filter.key = value;
        } else if (options[i] == "--since" &&
                   (HasAnyForm(value, kTimeOfDayForms) || HasAnyForm(value, kDateTimeForms))) {
            filter.since = value;
        } else {
            return false;
        }
    }
    return true;
}

std::vector<std::string> TraceView(const std::string& bytes, const TraceFilter& filter) {
    std::vector<std::string> lines;
    std::size_t unreadable = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        const std::string_view text = std::string_view(bytes).substr(start, end - start);
        start = end + 1;
        TraceLine line;
        if (!ParseTraceLine(text, line)) {
            if (!text.empty() && text != "\r") ++unreadable;
            continue;
        }
        if (!Passes(line, filter)) continue;
        // InitTruvApp has no key.
        const std::string key = line.key.empty() ? std::string() : "[" + line.key + "]  ";
        lines.push_back(line.time + "  " + key + Words(line));
    }
    if (unreadable > 0) {
        lines.push_back("(" + std::to_string(unreadable) +
                        " lines not in the trace's form were left out: cut short, or not a trace)");
    }
    return lines;
}

}  // namespace host
