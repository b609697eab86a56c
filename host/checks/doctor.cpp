// The installation check.
#include "host/checks/doctor.h"

#include <algorithm>
#include <set>

#include "host/checks/menu_check.h"
#include "host/platform/exit_codes.h"
#include "host/platform/host_system.h"
#include "host/plugin/host_folder.h"
#include "os/os.h"
#include "plugin/inspect.h"

namespace host {
namespace {

/// True when `path` ends in a separator, by the host's rule for path names (a GBK trail byte
/// 0x5C on Windows is none).
bool EndsInSeparator(const std::string& path) {
    return !path.empty() && sys::LastSeparator(path) == path.size() - 1;
}

std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && EndsInSeparator(path)) path.pop_back();
    return path;
}

/// The registry value that holds the installation root, as the reader of it names it.
std::string RootValue() {
    return std::string("value ") + kRootValueName + " of " + kRootHive + "\\" + kRootKeyPath;
}

class Examiner {
public:
    Examiner(const Installation& installation, DoctorReport& report)
        : installation_(installation), report_(report) {}

    void Examine(const std::vector<ItemPlan>& plans) {
        Facts();
        for (const ItemPlan& plan : plans) Item(plan);
        report_.itemsChecked = static_cast<int>(plans.size());
        Item(ManagerPlan());  // no item of the menu, counted apart
        PathChange();
        PassedOverPathElements();
    }

private:
    void Note(const std::string& text, const std::string& key) {
        auto found = std::find_if(report_.problems.begin(), report_.problems.end(),
                                  [&](const Problem& problem) { return problem.text == text; });
        if (found == report_.problems.end()) {
            report_.problems.push_back({text, {}});
            found = report_.problems.end() - 1;
        }
        if (!key.empty() && std::find(found->brokenKeys.begin(), found->brokenKeys.end(), key) ==
                                found->brokenKeys.end()) {
            found->brokenKeys.push_back(key);
        }
    }

    void Facts() {
        report_.facts.push_back("registry: " + RootValue() +
                                (installation_.root().empty()
                                     ? RootAbsence()
                                     : " = \"" + sys::ShownPath(installation_.root()) + "\""));
        report_.facts.push_back(
            "CFGPATH: " + sys::ShownPath(installation_.cfgPath) +
            (installation_.cfgReadable() ? " (readable)" : " (cannot be read)"));
    }

    /// Why there is no root: the value is missing, or longer than the plug-in reads.
    std::string RootAbsence() const {
        if (installation_.rootTooLong == 0) return " is missing";
        return " is too long (" + std::to_string(installation_.rootTooLong) + " bytes, at most " +
               std::to_string(kInstallRootLimit) + ")";
    }

    void Item(const ItemPlan& plan) {
        if (plan.isFlow && !plan.flowKnown) Note("no item flow handles this row", plan.key);
        if (!plan.unknownVerbs.empty()) Note("unknown verb " + plan.unknownVerbs, plan.key);
        for (const PlannedRun& run : plan.runs) Start(plan.key, run);
    }

    void Start(const std::string& key, const PlannedRun& run) {
        ++report_.startsChecked;
        if (installation_.root().empty()) {
            Note("registry " + RootValue() + RootAbsence(), key);
            return;
        }
        if (!run.dirKey.empty() && !installation_.cfgReadable()) {
            Note("cannot read " + sys::ShownPath(installation_.cfgPath), key);
            return;
        }
        const ResolvedRun resolved = Resolve(installation_, run);
        if (resolved.outcome != RunOutcome::kStart) {
            Note("directory key " + run.dirKey + " is missing from " +
                     sys::ShownPath(installation_.cfgPath),
                 key);
            return;
        }
        // The plug-in puts the program's name right after the directory line.
        if (!run.dirKey.empty() && !resolved.dir.empty() && !EndsInSeparator(resolved.dir)) {
            Note("the directory line of key " + run.dirKey + " in " +
                     sys::ShownPath(installation_.cfgPath) + ", " + sys::ShownPath(resolved.dir) +
                     ", lacks its closing separator: programs are looked for as " +
                     sys::ShownPath(resolved.dir) + "PROGRAM.EXE",
                 key);
            return;
        }
        const std::string dir = WithoutTrailingSeparators(resolved.dir);
        if (!dir.empty() && !os::PatternExists(dir)) {
            Note("directory " + sys::ShownPath(resolved.dir) + " (key " + run.dirKey +
                     ") does not exist",
                 key);
            return;
        }
        if (resolved.command.isDocument) {
            if (!os::PatternExists(resolved.command.file)) {
                Note("help document " + sys::ShownPath(resolved.command.file) + " is missing", key);
            }
            if (!os::FindProgramFile(kHelpViewer)) {
                Note(std::string("help viewer ") + kHelpViewer + " is not on the search path", key);
            }
        } else if (!os::FindProgramFile(resolved.command.file)) {
            Note("program " + sys::ShownPath(resolved.command.file) + " is missing", key);
        }
    }

    void PathChange() {
        if (installation_.root().empty() || !installation_.cfgReadable()) return;
        std::string core;
        if (!CoreDirectory(installation_, core)) {
            Note(std::string("CFGPATH has no ") + kCoreKey +
                     " key: the first start puts an empty element in PATH",
                 "");
            return;
        }
        const std::string prefix =
            ExtendedPath(installation_.root(), core, {}, os::PathListSeparator());
        const std::string old = os::GetEnvironmentVariable(kPathVariable).value_or("");
        report_.facts.push_back("PATH: the first start puts \"" + sys::ShownPath(prefix) +
                                "\" in front");

        const std::string extended =
            ExtendedPath(installation_.root(), core, old, os::PathListSeparator());
        if (extended.size() >= kPathLimit) {
            Note("PATH would grow to " + std::to_string(extended.size()) + " bytes (limit " +
                     std::to_string(kPathLimit - 1) +
                     "): the first start reports that CORE could not be set",
                 "");
        }
    }

    /// Elements of "PATH" that would name a folder through the current one, the project's.
    void PassedOverPathElements() {
        const std::string path = os::GetEnvironmentVariable(kPathVariable).value_or("");
        for (const std::string& element : os::UnsearchedPathElements(path)) {
            report_.facts.push_back("PATH: \"" + element +
                                    "\" is passed over by the program search (not a full folder "
                                    "path, so it would be looked up from the project folder)");
        }
    }

    const Installation& installation_;
    DoctorReport& report_;
};

}  // namespace

DoctorReport Examine(const Installation& installation, const std::vector<ItemPlan>& plans) {
    DoctorReport report;
    Examiner(installation, report).Examine(plans);
    return report;
}

std::vector<std::string> FormatReport(const DoctorReport& report, std::size_t keyLimit) {
    std::vector<std::string> lines = report.facts;
    for (const Problem& problem : report.problems) {
        std::string line = "PROBLEM: " + problem.text;
        const std::size_t count = problem.brokenKeys.size();
        if (count > 0) {
            line += " -- breaks " + std::to_string(count) + (count == 1 ? " item: " : " items: ");
            for (std::size_t i = 0; i < std::min(count, keyLimit); ++i) {
                line += (i == 0 ? "" : ", ") + problem.brokenKeys[i];
            }
            if (count > keyLimit) line += ", ... (" + std::to_string(count - keyLimit) + " more)";
        }
        lines.push_back(line);
    }
    lines.push_back("checked " + std::to_string(report.itemsChecked) +
                    " items and the drawing-management command, with " +
                    std::to_string(report.startsChecked) + " program starts: " +
                    (report.problems.empty()
                         ? std::string("no problems")
                         : std::to_string(report.problems.size()) + " problem(s)"));
    return lines;
}

void AddMenuCheck(const MenuCatalog& catalog, const GroupBounds& bounds,
                  const std::string& menuFile, DoctorReport& report) {
    if (menuFile.empty()) {
        report.problems.push_back({kNoHostFolder, {}});
        return;
    }
    const MenuFileCheck check = CheckMenuFile(menuFile, catalog, bounds);
    report.facts.insert(report.facts.end(), check.facts.begin(), check.facts.end());
    report.problems.insert(report.problems.end(), check.problems.begin(), check.problems.end());
}

int DoctorCommand(const Console& console) {
    MenuCatalog catalog;
    const GroupBounds bounds = BuildMenuGroups(catalog);
    DoctorReport report = Examine(ReadInstallation(), PlanCatalogue(catalog));
    AddMenuCheck(catalog, bounds, HostMenuFile(), report);
    for (const std::string& line : FormatReport(report, kKeysPerProblem)) console.Line(line);
    return report.problems.empty() ? kExitDone : kExitProblem;
}

}  // namespace host
