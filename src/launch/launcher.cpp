// The four run operations: compose, check, start, wait, judge.
#include "launch/launcher.h"

#include "launch/install_paths.h"
#include "launch/run_rules.h"
#include "model/message_box.h"
#include "os/os.h"

namespace {

// clang-format off
constexpr const char* kCannotFind   = "找不到 ";                          // N
constexpr const char* kAbnormalEnd  = "运行该项时,程序异常中断!";         // X
constexpr const char* kErrorCaption = "错误";
// clang-format on

}  // namespace

Launcher::Launcher() : exitCode(new std::uint32_t(0)), pathPending(1), cfgFound(0) {}

Launcher::~Launcher() {
    delete exitCode;
}

void Launcher::RunExeFile(std::string dirKey, std::string program) {
    Run(kRunModes[0], std::move(dirKey), std::move(program), workDir);
}
void Launcher::RunExeFileMin(std::string dirKey, std::string program) {
    Run(kRunModes[1], std::move(dirKey), std::move(program), workDir);
}
void Launcher::RunExeFileMax(std::string dirKey, std::string program) {
    Run(kRunModes[2], std::move(dirKey), std::move(program), workDir);
}
void Launcher::RunExeFileNor(std::string dirKey, std::string program) {
    Run(kRunModes[3], std::move(dirKey), std::move(program), workDir);
}

void Launcher::Run(const RunMode& mode, std::string dirKey, std::string program,
                   const std::string& projectDir) {
    cfgFound = 0;
    InstallationView installation{GetInstallRoot(), rootKey, std::nullopt, true};
    if (dirKey != rootKey) {
        installation.cfgLines = ReadCfgPath(installation.root);
        if (installation.cfgLines) {
            installation.workDirValid = ValidateWorkDir(projectDir);
            cfgFound = installation.workDirValid ? 1 : 0;
        }
    }
    const ResolvedRun resolved = ResolveRun(mode, dirKey, std::move(program), installation);
    if (resolved.outcome != RunOutcome::kStart) {
        ShowMessage(resolved.message);
        return;
    }

    PrepareEnvironment(projectDir);
    const os::EnvironmentBlock environment;
    if (resolved.byShell) {
        ShellOpenAndWait(resolved.command.file, resolved.command.parameters);
        return;
    }
    os::Process process;
    const std::string& commandLine = resolved.command.commandLine;
    if (os::StartProcess(commandLine, environment, projectDir, process) != os::kSuccess) {
        ShowLastError();
        if (mode.namesMissingKey) ShowMessage(kCannotFind + commandLine);
        return;
    }
    process.Wait();
    if (resolved.judgesExitCode) CheckExitCode(process);
    process.Close();
}

void Launcher::CheckExitCode(os::Process& process) {
    *exitCode = process.ExitCode();
    if (*exitCode != 0) ShowMessage(kAbnormalEnd);
}

void ShowLastError() {
    const os::Status code = os::LastError();
    std::string text = os::ErrorText(code);
    if (text.empty()) text = "Error " + std::to_string(code);
    os::ShowMessageBox(kErrorCaption, text, os::kBoxOk | os::kBoxIconExclamation);
}

void ShellOpenAndWait(const std::string& file, const std::string& parameters) {
    os::Process process;
    if (os::ShellOpen(file, parameters, process) != os::kSuccess) return;
    if (process.IsValid()) {
        process.Wait();
        process.Close();
    }
}
