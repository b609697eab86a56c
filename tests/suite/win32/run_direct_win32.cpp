// Starting a program directly, Windows half.
#include "run_direct.h"

#include <windows.h>

namespace {

/// One argument as the C runtime splits it back: quoted when it holds blanks, tabs or
/// quotes or is empty; backslashes doubled before a quote and at the closing quote.
std::string QuoteArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

}  // namespace

std::string DirectCommandLine(const std::string& program, const std::vector<std::string>& args) {
    std::string line = QuoteArgument(program);
    for (const std::string& arg : args) line += " " + QuoteArgument(arg);
    return line;
}

std::optional<std::uint32_t> RunCommandLine(const std::string& commandLine,
                                            const std::string& currentDir) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string mutableLine = commandLine;  // CreateProcessA may write into it
    if (!::CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          currentDir.c_str(), &startup, &process)) {
        return std::nullopt;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code;
}

std::optional<std::uint32_t> RunDirect(const std::string& program,
                                       const std::vector<std::string>& args,
                                       const std::string& currentDir) {
    return RunCommandLine(DirectCommandLine(program, args), currentDir);
}
