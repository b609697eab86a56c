// A sandbox installation of the suite for running the item flows with real programs.
#include "flow_installation.h"

#include <algorithm>
#include <filesystem>

#include "launch/launcher.h"
#include "plugin/globals.h"
#include "support/temp_dir.h"
#include "text/gbk_text.h"

namespace fs = std::filesystem;

namespace {

struct KeyPrograms {
    const char* key;
    std::vector<std::string> first;  // started with RunExeFile
    std::vector<std::string> last;   // started with RunExeFileMin or RunExeFileNor
};

// clang-format off
const KeyPrograms kModules[] = {
    {"BLDG", {"ArchMain.exe", "Solid3D.exe"},                 {"ArchMain.exe", "DetailSel.exe", "DetailDraw.exe"}},
    {"CORE", {"Modelin.exe", "Stage4.exe", "EXECMGR.exe"},    {"Stage2.exe", "Stage3.exe", "WIRE_3D.exe", "OCCLUDE.exe", "EDGECULL.exe", "PLOT_2D.exe"}},
    {"IRON", {"Modelin.exe", "Stage4.exe", "FlatIn.exe"},     {"Stage2.exe", "Stage3.exe", "WIRE_3D.exe"}},
    {"BRIK", {"Stage4.exe", "EXECMGR.exe"},                   {}},
    {"TEND", {"Stage4.exe", "TendChk.exe"},                   {}},
    {"TUB",  {},                                              {"TUB72.exe", "WALLRF.exe", "TUB73.exe", "TUB82.exe"}},
};
// clang-format on

const char* const kRootPrograms[] = {"GrafEdit.exe"};

std::string FirstFolder(const std::string& key) {
    return key + "-first";
}
std::string LastFolder(const std::string& key) {
    return key + "-last";
}

suite::Scenario ScenarioOf(const std::vector<ProgramAct>& acts) {
    suite::Scenario scenario;
    for (const ProgramAct& act : acts) {
        suite::ScenarioRule& rule = scenario.On(
            act.program, act.args.empty() ? std::nullopt : std::optional<std::string>(act.args));
        if (!act.deletes.empty()) rule.Delete(act.deletes);
        for (const std::string& name : act.creates) rule.Create(name, act.bytes);
        rule.Exit(act.exitCode);
    }
    return scenario;
}

}  // namespace

FlowInstallation::FlowInstallation() {
    std::vector<suite::ModuleSpec> modules;
    for (const KeyPrograms& module : kModules) {
        modules.push_back({module.key, FirstFolder(module.key), module.first});
    }
    for (const KeyPrograms& module : kModules) {
        modules.push_back({module.key, LastFolder(module.key), module.last});
    }
    sandbox_.Install(modules);
    for (const char* program : kRootPrograms) sandbox_.InstallProgram(sandbox_.Root(), program);
    sandbox_.SetRegistryRoot();
}

void FlowInstallation::Prepare(const std::vector<WorkFile>& files,
                               const std::vector<ProgramAct>& acts) {
    const fs::path project = sandbox_.ProjectDir();
    std::error_code ignored;
    fs::current_path(project);
    for (const fs::directory_entry& entry : fs::directory_iterator(project)) {
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(entry.path(), ignored);
    }
    for (const WorkFile& file : files) {
        WriteWholeFile((project / file.name).string(), file.bytes);
        if (file.readOnly) {
            fs::permissions(
                project / file.name,
                fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                fs::perm_options::remove);
        }
    }
    sandbox_.ClearJournal();
    sandbox_.WriteScenario(ScenarioOf(acts));
    TheLauncher().workDir = sandbox_.ProjectDir();
}

std::string FlowInstallation::CommandLine(const ExpectedRun& run) const {
    if (run.key.empty()) return sandbox_.Root() + "\\" + run.program;
    switch (run.op) {
        case RunOp::kRunExeFile:
            return sandbox_.DirLine(FirstFolder(run.key)) + gbk::Upper(run.program);
        case RunOp::kRunExeFileMin:
            return sandbox_.DirLine(LastFolder(run.key)) + gbk::Upper(run.program);
        case RunOp::kRunExeFileNor:
            return sandbox_.DirLine(LastFolder(run.key)) + run.program;
    }
    return {};
}

std::vector<std::string> FlowInstallation::ProjectEntries() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(sandbox_.ProjectDir())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
