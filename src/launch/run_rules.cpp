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

// Its exit code is judged only by the modes that say so.
constexpr const char* kUnjudgedProgram = "ACAD.EXE";

bool IsDataCheck(const std::string& program) {
    for (const char* name : DataCheckPrograms) {
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

const char* const DataCheckPrograms[kDataCheckProgramCount] = {"INSPECT4.EXE", "INSPECT3.EXE",
                                                               "INSPECT2.EXE", "INSPECT1.EXE"};

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

bool FindKeyDir(CfgPathReader& file, const std::string& key, KeyMatch mode, std::string& dir) {
    bool found = false;
    dir.clear();
    for (std::string line; file.ReadLine(line);) {
        if (gbk::Upper(line) != key) continue;
        found = true;
        // The directory line is consumed: the scan goes on after it, never matching it.
        if (!file.ReadLine(dir)) dir.clear();
        if (mode == KeyMatch::First) break;
    }
    return found;
}

ResolvedRun ResolveRun(const RunMode& mode, const std::string& dirKey, std::string program,
                       const InstallationView& installation) {
    std::int32_t cfgFound = 0;
    return ResolveRun(mode, dirKey, std::move(program), installation, cfgFound);
}

ResolvedRun ResolveRun(const RunMode& mode, const std::string& dirKey, std::string program,
                       const InstallationView& installation, std::int32_t& cfgFound) {
    cfgFound = 0;
    ResolvedRun resolved;
    if (dirKey == installation.rootKey) {
        resolved.dir = installation.root + "\\";
        resolved.command = ComposeCommand(resolved.dir, program, /*helpDocuments=*/false);
    } else if (installation.cfgLines) {
        if (!installation.workDirValid) return Refused(RunOutcome::kBadWorkDir, kBadWorkDir);
        cfgFound = 1;
        CfgPathReader file(*installation.cfgLines);
        if (FindKeyDir(file, dirKey, mode.match, resolved.dir)) {
            if (mode.upperCaseProgram) program = gbk::Upper(program);
            resolved.command = ComposeCommand(resolved.dir, program, mode.upperCaseProgram);
        }
    }
    // Nothing to start: "CFGPATH" was not found, or it does not name the key (a key whose
    // directory line makes no command counts as missing).
    if (resolved.command.commandLine.empty()) {
        if (!cfgFound) return Refused(RunOutcome::kNoCfgPath, kNoCfgPath);
        if (mode.namesMissingKey) {
            return Refused(RunOutcome::kKeyMissing, kKeyMissingIn + CfgPathFile(installation.root) +
                                                        kKeyMissingAfter + dirKey);
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
    CfgPathReader file(cfgLines);
    if (!FindKeyDir(file, kCoreKey, KeyMatch::First, dir)) return {};
    if (dir.empty()) return {};
    dir.pop_back();
    return dir;
}

std::string ExtendedPath(const std::string& root, const std::string& coreDir,
                         const std::string& oldPath, char separator) {
    return root + separator + coreDir + separator + oldPath;
}
