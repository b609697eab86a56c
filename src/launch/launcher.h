// The one object through which the plug-in starts the suite's programs.
#ifndef TRUV_LAUNCH_LAUNCHER_H
#define TRUV_LAUNCH_LAUNCHER_H

#include <cstdint>
#include <string>

#include "os/os.h"

struct RunMode;

class Launcher {
public:
    /// Allocates the exit-code cell and makes itself the launcher that TheLauncher reaches.
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

    /// When `pending` (the value of `pathPending`), puts the installation root and the "CORE"
    /// directory (read from "CFGPATH" once `workDir` could be entered) in front of "PATH" and
    /// clears `pathPending` (once per load, whatever it achieves). Returns the process
    /// environment that a started program receives, released when the result is destroyed.
    os::EnvironmentBlock PrepareEnvironment(std::int32_t pending);

    std::uint32_t* exitCode;
    std::int32_t pathPending;
    std::string workDir;
    std::int32_t cfgFound;
    std::string rootKey;

private:
    /// The one-time extension of "PATH", unless another start has made it already.
    void ExtendPath();

    /// What each run operation does, with the project directory it starts the program in.
    void Run(const RunMode& mode, std::string dirKey, std::string program,
             const std::string& projectDir);
};

/// The one launcher of the load: the global reference that its constructor sets.
Launcher& TheLauncher();

/// Shows the system's text for the thread's last error in a box captioned "错误".
void ShowLastError();

/// Hands a program and its parameters to the shell's "open" verb and waits for the process
/// it starts; a failure of the shell is not reported.
void ShellOpenAndWait(const std::string& file, const std::string& parameters);

#endif  // TRUV_LAUNCH_LAUNCHER_H
