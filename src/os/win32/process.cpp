// Win32 half of processes: CreateProcessA, the wait and the exit code.
#include <utility>
#include <vector>

#include "os/os.h"
#include "os/win32/system_calls.h"
#include "os/win32/windows_support.h"

namespace os {

using win32::FromHandle;
using win32::ToHandle;

void Process::Wait() {
    if (IsValid()) {
        win32::systemCalls.waitForSingleObject(ToHandle(handle_), INFINITE);
    }
}

std::uint32_t Process::ExitCode() {
    // A code that cannot be read must not pass for success: report it as a failure code.
    constexpr std::uint32_t kUnreadable = 0xFFFFFFFFu;
    DWORD code = kUnreadable;
    if (!IsValid() || !win32::systemCalls.getExitCodeProcess(ToHandle(handle_), &code)) {
        return kUnreadable;
    }
    return code;
}

void Process::Close() {
    if (thread_ != kNone) {
        win32::systemCalls.closeHandle(ToHandle(std::exchange(thread_, kNone)));
    }
    if (handle_ != kNone) {
        win32::systemCalls.closeHandle(ToHandle(std::exchange(handle_, kNone)));
    }
}

Status StartProcess(const std::string& commandLine, const EnvironmentBlock& environment,
                    const std::string& currentDir, Process& started) {
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    // Zeroed but for its size: dwFlags 0, so the program opens its windows in its own
    // default state.
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // A program named without a path is looked for here, never in the current directory, and
    // named to CreateProcessA; any other comes from the command line itself.
    const win32::BareProgramLookup program = win32::FindBareProgram(commandLine);
    if (program.bare && program.path.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return ERROR_FILE_NOT_FOUND;
    }
    const BOOL ok = win32::systemCalls.createProcess(
        program.bare ? program.path.c_str() : nullptr,
        command.data(),  // unchanged, as the program receives it
        /*lpProcessAttributes=*/nullptr, /*lpThreadAttributes=*/nullptr,
        /*bInheritHandles=*/FALSE,  // the host's handles stay its own
        /*dwCreationFlags=*/0,      // ANSI environment, no console change
        environment.Native(), currentDir.c_str(), &startup, &info);
    if (!ok) {
        return GetLastError();
    }
    started.Adopt(FromHandle(info.hProcess), FromHandle(info.hThread));
    return kSuccess;
}

}  // namespace os
