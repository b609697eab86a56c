// The launch trace of each call.
#include "model/trace.h"

#include "model/menu_file.h"
#include "model/trace_line.h"
#include "os/os.h"

namespace trace {
namespace {

// The call being traced on this thread (calls from two threads are traced apart); a plain
// pointer, which needs no destruction when a thread or the library goes away.
thread_local CallScope* current = nullptr;

constexpr std::uint32_t kLargestPlainExitCode = 0xFFFF;

std::string ErrorText(std::uint32_t code) {
    return "error " + std::to_string(code);
}

// Formatted by hand: the system's formatted printing would add its whole formatter (with
// floating-point conversion) to the DLL.
void AppendDecimal(std::string& text, int value, int width) {
    const std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) text.append(width - digits.size(), '0');
    text += digits;
}

// "YYYY-MM-DD HH:MM:SS.mmm"
std::string TimeStampText(const os::LocalTime& time) {
    std::string text;
    AppendDecimal(text, time.year, 4);
    text += '-';
    AppendDecimal(text, time.month, 2);
    text += '-';
    AppendDecimal(text, time.day, 2);
    text += ' ';
    AppendDecimal(text, time.hour, 2);
    text += ':';
    AppendDecimal(text, time.minute, 2);
    text += ':';
    AppendDecimal(text, time.second, 2);
    text += '.';
    AppendDecimal(text, time.millisecond, 3);
    return text;
}

// "0x" and eight upper-case hexadecimal digits.
std::string HexText(std::uint32_t code) {
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += "0123456789ABCDEF"[(code >> shift) & 0xF];
    return text;
}

}  // namespace

CallScope::CallScope(std::string key)
    : file_(os::GetEnvironmentVariable(kVariable).value_or(std::string())),
      key_(std::move(key)),
      outer_(current) {
    current = this;
}

CallScope::~CallScope() {
    current = outer_;
}

bool Active() {
    return current != nullptr && !current->file_.empty();
}

void Event(std::string_view event, std::initializer_list<std::string_view> fields) {
    if (!Active()) return;
    if (!current->checked_) {
        current->checked_ = true;
        if (IsMenuFileOrTemporary(current->file_, MenuFilePath(os::HostExecutablePath()))) {
            current->file_.clear();
            return;
        }
    }
    TraceLine line{TimeStampText(os::LocalTimeNow()), current->key_, std::string(event), {}};
    for (const std::string_view field : fields) line.fields.emplace_back(field);
    // Locked by another program: this call waited once, and waits no more.
    if (os::AppendToFile(current->file_, ComposeTraceLine(line)) == os::kLockViolation) {
        current->file_.clear();
    }
}

std::string ExitText(std::uint32_t code) {
    if (code <= kLargestPlainExitCode) return "exit " + std::to_string(code);
    return "exit " + HexText(code);
}

Stopwatch::Stopwatch() {
    if (Active()) start_ = os::SteadyMilliseconds();
}

std::string Stopwatch::ElapsedText() const {
    return std::to_string(os::SteadyMilliseconds() - start_) + " ms";
}

void Ended(const std::string& command, os::Process& process, const Stopwatch& started) {
    if (!Active()) return;
    Event(kEnd, {command, ExitText(process.ExitCode()), started.ElapsedText()});
}

void Deleted(const std::string& file, std::uint32_t status) {
    if (!Active()) return;
    Event(kDelete, {file, status == 0 ? std::string(kDeleted) : ErrorText(status)});
}

void NotStarted(const std::string& command, std::uint32_t error) {
    if (!Active()) return;
    Event(kNotStarted, {command, ErrorText(error)});
}

}  // namespace trace
