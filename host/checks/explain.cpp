// What an item would do, told without starting anything.
#include "host/checks/explain.h"

#include "host/platform/exit_codes.h"
#include "os/os.h"
#include "plugin/inspect.h"

namespace host {
namespace {

/// The file the process start opens, found by the plug-in's own program search.
std::string FileStarted(const ComposedCommand& command) {
    const std::string program = command.isDocument ? std::string(kHelpViewer) : command.file;
    const std::optional<std::string> found = os::FindProgramFile(program);
    return found ? "  [starts " + *found + "]" : "  [no program file " + program + "]";
}

std::string Describe(const PlannedRun& run, const Installation& installation) {
    const std::string where = run.dirKey.empty() ? "the installation root" : "key " + run.dirKey;
    std::string text = std::string(run.mode->name) + " (" + where + ") \"" + run.program + "\" -> ";
    const ResolvedRun resolved = Resolve(installation, run);
    switch (resolved.outcome) {
        case RunOutcome::kStart:
            return text + resolved.command.commandLine + FileStarted(resolved.command);
        case RunOutcome::kNoCfgPath:
            return text + "CFGPATH unreadable: the item shows a message";
        case RunOutcome::kBadWorkDir:
        case RunOutcome::kKeyMissing:
        case RunOutcome::kNoApplication:
            break;
    }
    return text + "key not in CFGPATH: the item shows a message";
}

std::string Indent(int depth) {
    return std::string(static_cast<std::size_t>(2 * depth + 2), ' ');
}

std::string Listed(const std::vector<std::string>& texts) {
    std::string list;
    for (const std::string& text : texts) list += (list.empty() ? "" : ", ") + text;
    return list;
}

}  // namespace

std::vector<std::string> ExplainPlan(const ItemPlan& plan, const Installation& installation,
                                     const std::string& workDir) {
    std::vector<std::string> lines;
    lines.push_back("item: " + plan.key);
    lines.push_back("working directory of every start: " + workDir);
    std::string core;
    const bool hasCore = CoreDirectory(installation, core);
    const std::string prefix = ExtendedPath(installation.root(), hasCore ? core : std::string(), {},
                                            os::PathListSeparator());
    lines.push_back("PATH: the first start of a load puts \"" + prefix + "\" in front" +
                    (hasCore ? "" : std::string(" (no ") + kCoreKey + " key in CFGPATH)"));
    if (!plan.unknownVerbs.empty()) {
        lines.push_back("refused verbs (a message each): " + plan.unknownVerbs);
    }
    if (!plan.isFlow) {
        lines.push_back("commands, run one after the other, each waited for:");
        for (const PlannedRun& run : plan.runs) lines.push_back("  " + Describe(run, installation));
        return lines;
    }
    lines.push_back("item flows offered the row, in chain order: " + Listed(plan.offeredTo));
    if (!plan.flowKnown) {
        lines.push_back("a row without commands that no item flow handles: nothing happens");
        return lines;
    }
    lines.push_back("flow of " + plan.offeredTo.back() +
                    ", steered by the work files in the working directory:");
    for (const PlanLine& line : plan.lines) {
        lines.push_back(Indent(line.depth) +
                        (line.isRun ? Describe(line.run, installation) : line.text));
    }
    return lines;
}

int ExplainCommand(const Console& console, const std::string& key) {
    MenuCatalog catalog;
    BuildMenuGroups(catalog);
    const MenuItem* item = FindItem(catalog, key);
    if (item == nullptr && key != kManagerKey) {
        console.Line("no item has the key " + key + " (RunCommand does nothing for it)");
        return kExitProblem;
    }
    const ItemPlan plan = item == nullptr ? ManagerPlan() : PlanItem(*item);
    const std::string workDir = os::CurrentDirectory().value_or("");
    for (const std::string& line : ExplainPlan(plan, ReadInstallation(), workDir)) {
        console.Line(line);
    }
    return kExitDone;
}

}  // namespace host
