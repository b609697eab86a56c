// The four run operations: compose, check, start, wait, judge.
#include "launch/launcher.h"

#include <string_view>

#include "core/gbk_text.h"
#include "core/message_box.h"
#include "launch/command_line.h"
#include "launch/install_paths.h"
#include "os/os.h"

namespace {

Launcher* theLauncher = nullptr;

// clang-format off
constexpr const char* kBadWorkDir      = "初始化工作目录不存在或非法，确定后请单击改变目录重新输入！";  // W
constexpr const char* kNoCfgPath       = "配置文件“CFGPATH”不存在，请检查!";                             // F
constexpr const char* kKeyMissingIn    = "在";                                                           // K1
constexpr const char* kKeyMissingAfter = "中 找不到指定的 ";                                             // K1
constexpr const char* kNoApplication   = "找不到指定的应用程序!";                                        // K2
constexpr const char* kCannotFind      = "找不到 ";                                                      // N
constexpr const char* kAbnormalEnd     = "运行该项时,程序异常中断!";                                     // X
constexpr const char* kErrorCaption    = "错误";
// clang-format on

// Started through the shell's "open" by RunExeFile, tested in this order.
constexpr const char* kDataCheckPrograms[] = {"INSPECT4.EXE", "INSPECT3.EXE", "INSPECT2.EXE",
                                              "INSPECT1.EXE"};
// Its exit code is not judged by RunExeFile.
constexpr const char* kUnjudgedProgram = "ACAD.EXE";

bool IsDataCheck(const std::string& program) {
    for (const char* name : kDataCheckPrograms) {
        if (program.find(name) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

/// How the four run operations differ.
struct Launcher::RunMode {
    KeyMatch match;
    bool upperCaseProgram;  // and open ".CHM" documents with the help viewer
    bool dataCheckByShell;
    bool namesMissingKey;  // K1 rather than K2; N after a failed start
    bool judgesAcad;
};

// clang-format off
//                                          match            upper  shell  K1/N   ACAD judged
constexpr Launcher::RunMode kRunExeFile    {KeyMatch::First, true,  true,  true,  false};
constexpr Launcher::RunMode kRunExeFileMin {KeyMatch::Last,  true,  false, false, true};
constexpr Launcher::RunMode kRunExeFileMax {KeyMatch::Last,  false, false, false, true};
constexpr Launcher::RunMode kRunExeFileNor {KeyMatch::Last,  false, false, false, true};
// clang-format on

Launcher::Launcher() : exitCode(new std::uint32_t(0)), pathPending(1), cfgFound(0) {
    theLauncher = this;
}

Launcher::~Launcher() {
    delete exitCode;
    if (theLauncher == this) theLauncher = nullptr;
}

Launcher& TheLauncher() {
    return *theLauncher;
}

void Launcher::RunExeFile(std::string dirKey, std::string program) {
    Run(kRunExeFile, std::move(dirKey), std::move(program));
}
void Launcher::RunExeFileMin(std::string dirKey, std::string program) {
    Run(kRunExeFileMin, std::move(dirKey), std::move(program));
}
void Launcher::RunExeFileMax(std::string dirKey, std::string program) {
    Run(kRunExeFileMax, std::move(dirKey), std::move(program));
}
void Launcher::RunExeFileNor(std::string dirKey, std::string program) {
    Run(kRunExeFileNor, std::move(dirKey), std::move(program));
}

void Launcher::Run(const RunMode& mode, std::string dirKey, std::string program) {
    cfgFound = 0;
    const std::string root = GetInstallRoot();
    const std::string base = root + "\\";
    ComposedCommand command;
    if (dirKey == rootKey) {
        command = ComposeCommand(base, program, /*helpDocuments=*/false);
    } else {
        os::File cfgPath;
        if (cfgPath.OpenExclusiveRead(CfgPathFile(root)) == os::kSuccess) {
            if (!ValidateWorkDir(workDir)) {
                ShowMessage(kBadWorkDir);
                return;
            }
            cfgFound = 1;
            std::string dir;
            if (FindKeyDir(cfgPath, dirKey, mode.match, dir)) {
                if (mode.upperCaseProgram) program = gbk::Upper(program);
                command = ComposeCommand(dir, program, mode.upperCaseProgram);
            }
        }
    }
    if (command.commandLine.empty()) {
        if (!cfgFound) {
            ShowMessage(kNoCfgPath);
        } else if (mode.namesMissingKey) {
            ShowMessage(kKeyMissingIn + CfgPathFile(root) + kKeyMissingAfter + dirKey);
        } else {
            ShowMessage(kNoApplication);
        }
        return;
    }

    PrepareEnvironment();
    const os::EnvironmentBlock environment;
    if (mode.dataCheckByShell && IsDataCheck(program)) {
        ShellOpenAndWait(command.file, command.parameters);
        return;
    }
    os::Process process;
    if (os::StartProcess(command.commandLine, environment, workDir, process) != os::kSuccess) {
        ShowLastError();
        if (mode.namesMissingKey) ShowMessage(kCannotFind + command.commandLine);
        return;
    }
    process.Wait();
    if (mode.judgesAcad || program != kUnjudgedProgram) CheckExitCode(process);
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
