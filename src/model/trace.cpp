// The launch trace of each call.
#include "model/trace.h"

#include <cstdio>

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
    TraceLine line{os::LocalTimeStamp(), current->key_, std::string(event), {}};
    for (const std::string_view field : fields) line.fields.emplace_back(field);
    os::AppendToFile(current->file_, ComposeTraceLine(line));
}

std::string ExitText(std::uint32_t code) {
    if (code <= kLargestPlainExitCode) return "exit " + std::to_string(code);
    char text[24];
    std::snprintf(text, sizeof text, "exit 0x%08lX", static_cast<unsigned long>(code));
    return text;
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
