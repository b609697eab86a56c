// Starting a program directly, POSIX half.
#include "run_direct.h"

#include <sys/wait.h>
#include <unistd.h>

std::string DirectCommandLine(const std::string& program, const std::vector<std::string>& args) {
    std::string line = program;
    for (const std::string& arg : args) line += " " + arg;
    return line;
}

std::optional<std::uint32_t> RunDirect(const std::string& program,
                                       const std::vector<std::string>& args,
                                       const std::string& currentDir) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        if (::chdir(currentDir.c_str()) == 0) ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return std::nullopt;
    return static_cast<std::uint32_t>(WEXITSTATUS(status));
}
