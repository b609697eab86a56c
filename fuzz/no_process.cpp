// The fuzz-only backend for what must not happen while fuzzing: starting programs, the
// shell and message boxes. Everything is recorded (fuzz_support.h) and succeeds: a started
// program has ended at once with exit code 0, a box was closed with OK.
#include "fuzz_support.h"
#include "os/os.h"

namespace os {

namespace {
constexpr std::intptr_t kFakeHandle = 1;
constexpr int kIdOk = 1;
}  // namespace

void Process::Wait() {}

std::uint32_t Process::ExitCode() {
    return 0;
}

void Process::Close() {
    handle_ = kNone;
    thread_ = kNone;
}

Status StartProcess(const std::string& commandLine, const EnvironmentBlock& /*environment*/,
                    const std::string& /*currentDir*/, Process& started) {
    fuzz::Recorded().started.push_back(commandLine);
    started.Adopt(kFakeHandle, kFakeHandle);
    return kSuccess;
}

Status ShellOpen(const std::string& file, const std::string& parameters, Process& started) {
    fuzz::Recorded().started.push_back(file + " " + parameters);
    started.Adopt(kFakeHandle, kFakeHandle);
    return kSuccess;
}

int ShowMessageBox(const std::string& /*caption*/, const std::string& text,
                   std::uint32_t /*style*/) {
    fuzz::Recorded().messages.push_back(text);
    return kIdOk;
}

}  // namespace os
