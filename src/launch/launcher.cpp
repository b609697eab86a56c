// The four run operations: compose, check, start, wait, judge.
#include "launch/launcher.h"

#include "launch/install_paths.h"
#include "launch/run_rules.h"
#include "model/message_box.h"
#include "model/trace.h"
#include "os/os.h"

namespace {

// clang-format off
constexpr const char* kCannotFind   = "找不到 ";                          // N
constexpr const char* kAbnormalEnd  = "运行该项时,程序异常中断!";         // X
constexpr const char* kErrorCaption = "错误";

// The letters that the list of messages gives them.
constexpr const char* kCannotFindLetter  = "N";
constexpr const char* kAbnormalEndLetter = "X";
constexpr const char* kSystemErrorLetter = "E";
// clang-format on

const char* LetterOf(RunOutcome refusal) {
    switch (refusal) {
        case RunOutcome::kBadWorkDir:
            return "W";
        case RunOutcome::kNoCfgPath:
            return "F";
        case RunOutcome::kKeyMissing:
            return "K1";
        case RunOutcome::kNoApplication:
            return "K2";
        case RunOutcome::kStart:
            break;
    }
    return trace::kUnlettered;
}

/// Set by the launcher's constructor: every part of the plug-in reaches it through this.
Launcher* theLauncher = nullptr;

}  // namespace

Launcher& TheLauncher() {
    return *theLauncher;
}

Launcher::Launcher() : exitCode(new std::uint32_t(0)), pathPending(1), cfgFound(0) {
    theLauncher = this;
}

Launcher::~Launcher() {
    if (theLauncher == this) theLauncher = nullptr;
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
        // "CFGPATH" is opened first, the project directory entered once it is open.
        installation.cfgLines = ReadCfgPath(installation.root);
        if (installation.cfgLines) installation.workDirValid = ValidateWorkDir(projectDir);
    }
    const ResolvedRun resolved =
        ResolveRun(mode, dirKey, std::move(program), installation, cfgFound);
    if (resolved.outcome != RunOutcome::kStart) {
        ShowMessage(resolved.message, LetterOf(resolved.outcome));
        return;
    }

    const os::EnvironmentBlock environment = PrepareEnvironment(pathPending);
    if (resolved.byShell) {
        ShellOpenAndWait(resolved.command.file, resolved.command.parameters);
        return;
    }
    os::Process process;
    const std::string& commandLine = resolved.command.commandLine;
    trace::Event(trace::kStart, {commandLine, projectDir});
    const trace::Stopwatch running;
    if (os::StartProcess(commandLine, environment, projectDir, process) != os::kSuccess) {
        trace::NotStarted(commandLine, os::LastError());
        ShowLastError();
        if (mode.namesMissingKey) ShowMessage(kCannotFind + commandLine, kCannotFindLetter);
        return;
    }
    process.Wait();
    trace::Ended(commandLine, process, running);
    if (resolved.judgesExitCode) CheckExitCode(process);
    process.Close();
}

void Launcher::CheckExitCode(os::Process& process) {
    *exitCode = process.ExitCode();
    if (*exitCode != 0) ShowMessage(kAbnormalEnd, kAbnormalEndLetter);
}

void ShowLastError() {
    const os::Status code = os::LastError();
    std::string text = os::ErrorText(code);
    if (text.empty()) text = "Error " + std::to_string(code);
    trace::Event(trace::kBox, {kSystemErrorLetter, text});
    os::ShowMessageBox(kErrorCaption, text, os::kBoxOk | os::kBoxIconExclamation);
}

void ShellOpenAndWait(const std::string& file, const std::string& parameters) {
    os::Process process;
    trace::Event(trace::kShell, {file, parameters});
    const trace::Stopwatch running;
    const os::Status status = os::ShellOpen(file, parameters, process);
    if (status != os::kSuccess) {
        trace::NotStarted(file, status);
        return;
    }
    if (process.IsValid()) {
        process.Wait();
        trace::Ended(file, process, running);
        process.Close();
    }
}
