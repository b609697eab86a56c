// The one object through which the plug-in starts the suite's programs.
#ifndef TRUV_LAUNCH_LAUNCHER_H
#define TRUV_LAUNCH_LAUNCHER_H

#include <cstdint>
#include <string>

struct RunMode;

namespace os {
class Process;
}

class Launcher {
public:
    /// Allocates the exit-code cell.
    Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;
    virtual ~Launcher();

    // The four run operations: each composes a command line from the installation root or
    // from the module directory that "CFGPATH" names for `dirKey`, starts it in `workDir`,
    // waits for it and reports every failure in a message box. They return nothing.
    void RunExeFile(std::string dirKey, std::string program);
    void RunExeFileMin(std::string dirKey, std::string program);
    void RunExeFileMax(std::string dirKey, std::string program);
    void RunExeFileNor(std::string dirKey, std::string program);

    /// Reads the exit code of an ended process and reports a non-zero one.
    void CheckExitCode(os::Process& process);

    /// While `pathPending`, puts the installation root and the "CORE" directory (read from
    /// "CFGPATH" once `projectDir` could be entered) in front of "PATH" (once per load, whatever
    /// it achieves); the started programs then receive the process environment.
    void PrepareEnvironment(const std::string& projectDir);

    std::uint32_t* exitCode;
    std::int32_t pathPending;
    std::string workDir;
    std::int32_t cfgFound;
    std::string rootKey;

private:
    /// What each run operation does, with the project directory it starts the program in.
    void Run(const RunMode& mode, std::string dirKey, std::string program,
             const std::string& projectDir);
};

/// Shows the system's text for the thread's last error in a box captioned "错误".
void ShowLastError();

/// Hands a program and its parameters to the shell's "open" verb and waits for the process
/// it starts; a failure of the shell is not reported.
void ShellOpenAndWait(const std::string& file, const std::string& parameters);

#endif  // TRUV_LAUNCH_LAUNCHER_H
