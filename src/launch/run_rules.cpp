// The rules of the four run operations and the pure resolver built on them.
#include "launch/run_rules.h"

#include <algorithm>

#include "launch/install_paths.h"
#include "launch/launcher.h"
#include "text/gbk_text.h"

// clang-format off
//                                    verb             name             operation                  match            upper  shell  K1/N   ACAD judged
const RunMode kRunModes[kRunModeCount] = {
    {"RUNEXEFILE",    "RunExeFile",    &Launcher::RunExeFile,    KeyMatch::First, true,  true,  true,  false},
    {"RUNEXEFILEMIN", "RunExeFileMin", &Launcher::RunExeFileMin, KeyMatch::Last,  true,  false, false, true},
    {"RUNEXEFILEMAX", "RunExeFileMax", &Launcher::RunExeFileMax, KeyMatch::Last,  false, false, false, true},
    {"RUNEXEFILENOR", "RunExeFileNor", &Launcher::RunExeFileNor, KeyMatch::Last,  false, false, false, true},
};
// clang-format on

namespace {

// clang-format off
constexpr const char* kBadWorkDir      = "初始化工作目录不存在或非法，确定后请单击改变目录重新输入！";  // W
constexpr const char* kNoCfgPath       = "配置文件“CFGPATH”不存在，请检查!";                             // F
constexpr const char* kKeyMissingIn    = "在";                                                           // K1
constexpr const char* kKeyMissingAfter = "中 找不到指定的 ";                                             // K1
constexpr const char* kNoApplication   = "找不到指定的应用程序!";                                        // K2
// clang-format on

// Started through the shell's "open" by the modes that say so, tested in this order.
constexpr const char* kDataCheckPrograms[] = {"INSPECT4.EXE", "INSPECT3.EXE", "INSPECT2.EXE",
                                              "INSPECT1.EXE"};
// Its exit code is judged only by the modes that say so.
constexpr const char* kUnjudgedProgram = "ACAD.EXE";

bool IsDataCheck(const std::string& program) {
    for (const char* name : kDataCheckPrograms) {
        if (program.find(name) != std::string::npos) return true;
    }
    return false;
}

ResolvedRun Refused(RunOutcome outcome, std::string message) {
    ResolvedRun resolved;
    resolved.outcome = outcome;
    resolved.message = std::move(message);
    return resolved;
}

}  // namespace

const RunMode* FindRunMode(std::string_view verb) {
    for (const RunMode& mode : kRunModes) {
        if (verb == mode.verb) return &mode;
    }
    return nullptr;
}

const RunMode& RunModeOf(RunOperation run) {
    for (const RunMode& mode : kRunModes) {
        if (mode.run == run) return mode;
    }
    return kRunModes[0];
}

bool FindKeyDir(const std::vector<std::string>& lines, const std::string& key, KeyMatch mode,
                std::string& dir) {
    bool found = false;
    dir.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (gbk::Upper(lines[i]) != key) continue;
        found = true;
        // The directory line is consumed: the scan goes on after it, never matching it.
        ++i;
        dir = i < lines.size() ? lines[i] : std::string();
        if (mode == KeyMatch::First) break;
    }
    return found;
}

ResolvedRun ResolveRun(const RunMode& mode, const std::string& dirKey, std::string program,
                       const InstallationView& installation) {
    const std::string cfgPath = CfgPathFile(installation.root);
    ResolvedRun resolved;
    if (dirKey == installation.rootKey) {
        resolved.dir = installation.root + "\\";
        resolved.command = ComposeCommand(resolved.dir, program, /*helpDocuments=*/false);
    } else {
        if (!installation.cfgLines) return Refused(RunOutcome::kNoCfgPath, kNoCfgPath);
        if (!installation.workDirValid) return Refused(RunOutcome::kBadWorkDir, kBadWorkDir);
        if (FindKeyDir(*installation.cfgLines, dirKey, mode.match, resolved.dir)) {
            if (mode.upperCaseProgram) program = gbk::Upper(program);
            resolved.command = ComposeCommand(resolved.dir, program, mode.upperCaseProgram);
        }
    }
    // A key whose directory line makes no command (nothing to start) counts as missing.
    if (resolved.command.commandLine.empty()) {
        if (mode.namesMissingKey) {
            return Refused(RunOutcome::kKeyMissing,
                           kKeyMissingIn + cfgPath + kKeyMissingAfter + dirKey);
        }
        return Refused(RunOutcome::kNoApplication, kNoApplication);
    }
    resolved.program = std::move(program);
    resolved.byShell = mode.dataCheckByShell && IsDataCheck(resolved.program);
    resolved.judgesExitCode = mode.judgesAcad || resolved.program != kUnjudgedProgram;
    return resolved;
}

std::string CoreDirectory(const std::vector<std::string>& cfgLines) {
    std::string dir;
    if (!FindKeyDir(cfgLines, kCoreKey, KeyMatch::First, dir)) return {};
    if (dir.empty()) return {};
    dir.pop_back();
    return dir;
}

std::string ExtendedPath(const std::string& root, const std::string& coreDir,
                         const std::string& oldPath, char separator) {
    return root + separator + coreDir + separator + oldPath;
}
