// A substitute for any program of the suite: it notes how it was started in a journal and
// then does what the scenario asks of a program of its name (see README.md).
#include <cstdio>
#include <string>
#include <thread>

#include "suite/journal.h"
#include "suite/scenario.h"
#include "suite/system.h"

namespace {

/// The exit code of a start that could not do what was asked (bad scenario, failed action,
/// journal not written): distinct from any code a test would choose for a program.
constexpr std::uint32_t kSetupFault = 125;

constexpr const char* kJournalVariable = "TRUV_SUITE_JOURNAL";
constexpr const char* kScenarioVariable = "TRUV_SUITE_SCENARIO";
constexpr const char* kRootMarker = "CFGPATH";

/// The nearest directory, from the program's own upwards, that holds "CFGPATH"; empty when
/// there is none.
std::string FindInstallRoot(const std::string& programPath) {
    std::string dir = suite::sys::DirName(programPath);
    while (!dir.empty()) {
        if (suite::sys::Exists(suite::sys::Join(dir, kRootMarker))) return dir;
        std::string parent = suite::sys::DirName(dir);
        if (parent == dir) break;
        dir = parent;
    }
    return {};
}

/// The file that `variable` names or, when it is unset or empty, `name` in the root.
std::string SuiteFile(const char* variable, const std::string& root, const char* name) {
    std::optional<std::string> named = suite::sys::GetEnv(variable);
    if (named && !named->empty()) return *named;
    return root.empty() ? std::string() : suite::sys::Join(root, name);
}

std::string ErrorSuffix() {
    return ": error " + std::to_string(suite::sys::LastError());
}

suite::JournalRecord Observe(int argc, char** argv) {
    suite::JournalRecord record;
    record.program = suite::sys::OwnExecutablePath();
    record.commandLine = suite::sys::RawCommandLine(argc, argv);
    record.args.assign(argv, argv + argc);
    record.currentDir = suite::sys::CurrentDirectory();
    record.pathHead = suite::PathHead(suite::sys::GetEnv("PATH").value_or(std::string()),
                                      suite::sys::PathListSeparator());
    return record;
}

/// Reads the scenario; a missing file is an empty scenario.
bool LoadScenario(const std::string& path, suite::Scenario& scenario, std::string& error) {
    std::string text;
    if (path.empty()) return true;
    switch (suite::sys::ReadWholeFile(path, text)) {
        case suite::sys::ReadResult::Missing:
            return true;
        case suite::sys::ReadResult::Failed:
            error = "cannot read " + path + ErrorSuffix();
            return false;
        case suite::sys::ReadResult::Read:
            break;
    }
    return suite::ParseScenario(text, scenario, error);
}

/// Carries out one create or delete; false when it failed. Notes what it did.
bool Perform(const suite::ScenarioAction& action, std::vector<std::string>& notes) {
    if (action.kind == suite::ActionKind::Create) {
        if (suite::sys::WriteWholeFile(action.name, action.bytes)) {
            notes.push_back("created " + action.name);
            return true;
        }
        notes.push_back("fault create " + action.name + ErrorSuffix());
        return false;
    }
    switch (suite::sys::RemoveFile(action.name)) {
        case suite::sys::DeleteResult::Deleted:
            notes.push_back("deleted " + action.name);
            return true;
        case suite::sys::DeleteResult::Missing:
            notes.push_back("absent " + action.name);
            return true;
        case suite::sys::DeleteResult::Failed:
            break;
    }
    notes.push_back("fault delete " + action.name + ErrorSuffix());
    return false;
}

/// Carries out a rule's actions in order and returns the exit code it asks for.
std::uint32_t Apply(const suite::ScenarioRule& rule, std::vector<std::string>& notes) {
    std::uint32_t code = 0;
    bool faultless = true;
    for (const suite::ScenarioAction& action : rule.actions) {
        if (action.kind == suite::ActionKind::Exit) {
            code = action.code;
        } else if (action.kind == suite::ActionKind::Wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(action.code));
            notes.push_back("waited " + std::to_string(action.code) + " ms");
        } else {
            faultless = Perform(action, notes) && faultless;
        }
    }
    return faultless ? code : kSetupFault;
}

std::uint32_t ApplyMatchingRule(const suite::Scenario& scenario, suite::JournalRecord& record) {
    std::vector<std::string> arguments(record.args.begin() + (record.args.empty() ? 0 : 1),
                                       record.args.end());
    const suite::ScenarioRule* rule =
        suite::SelectRule(scenario, suite::sys::BaseName(record.program), arguments);
    if (rule == nullptr) return 0;
    record.actions.push_back("rule " + std::to_string(rule - scenario.rules.data() + 1));
    return Apply(*rule, record.actions);
}

}  // namespace

int main(int argc, char** argv) {
    suite::JournalRecord record = Observe(argc, argv);
    std::string root = FindInstallRoot(record.program);
    std::string journal = SuiteFile(kJournalVariable, root, suite::kJournalName);

    suite::Scenario scenario;
    std::string error;
    if (LoadScenario(SuiteFile(kScenarioVariable, root, suite::kScenarioName), scenario, error)) {
        record.exitCode = ApplyMatchingRule(scenario, record);
    } else {
        record.actions.push_back("fault scenario: " + error);
        record.exitCode = kSetupFault;
    }

    if (journal.empty()) {
        std::fprintf(stderr, "truv-standin: no journal (%s unset, no %s above %s)\n",
                     kJournalVariable, kRootMarker, record.program.c_str());
    } else if (!suite::sys::AppendToFile(journal, suite::FormatRecord(record))) {
        std::fprintf(stderr, "truv-standin: cannot append to %s\n", journal.c_str());
        return static_cast<int>(kSetupFault);
    }
    return static_cast<int>(record.exitCode);
}
