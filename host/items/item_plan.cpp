// What a menu item would do, worked out from the catalogue and the flows.
#include "host/items/item_plan.h"

#include "plugin/inspect.h"

namespace host {

namespace {

PlannedRun MakeRun(const RunMode& mode, std::string dirKey, std::string program) {
    PlannedRun run;
    run.mode = &mode;
    run.dirKey = std::move(dirKey);
    run.program = std::move(program);
    return run;
}

std::string Joined(const std::vector<std::string>& conditions) {
    std::string text;
    for (const std::string& condition : conditions) {
        text += (text.empty() ? "" : ", ") + condition;
    }
    return text;
}

/// The lines and starts of a flow's planned steps; a start's condition names the work-file
/// tests above it.
void AddFlowSteps(const std::vector<flows::PlannedStep>& steps, ItemPlan& plan) {
    std::vector<std::string> conditions;  // the tests above the current step, outermost first
    for (const flows::PlannedStep& step : steps) {
        conditions.resize(static_cast<std::size_t>(step.depth));
        std::string line;
        switch (step.kind) {
            case flows::PlannedKind::kRun: {
                PlannedRun run = MakeRun(*step.mode, step.dirKey, step.text);
                run.condition = Joined(conditions);
                plan.runs.push_back(run);
                plan.lines.push_back({step.depth, {}, true, run});
                continue;
            }
            case flows::PlannedKind::kDelete:
                line = "delete work files " + step.text;
                break;
            case flows::PlannedKind::kIfPresent:
                line = "if " + step.text + " is present:";
                conditions.push_back(step.text + " present");
                break;
            case flows::PlannedKind::kIfAbsent:
                line = "otherwise:";
                conditions.push_back(step.text + " absent");
                break;
            case flows::PlannedKind::kIfSecondByteIsThree:
                line = "if the second byte of " + step.text + " is '3':";
                conditions.push_back(step.text + " says 3");
                break;
            case flows::PlannedKind::kMessage:
                line = "message: " + step.text;
                break;
        }
        plan.lines.push_back({step.depth, std::move(line), false, {}});
    }
}

void PlanTriples(const std::vector<std::string>& tokens, ItemPlan& plan) {
    for (std::size_t i = 0; i < TripleCount(tokens); ++i) {
        const CommandTriple triple = TripleAt(tokens, i, inspect::RootKey());
        const RunMode* mode = FindRunMode(triple.verb);
        if (mode != nullptr) {
            plan.runs.push_back(MakeRun(*mode, triple.dirKey, triple.program));
        } else {
            plan.unknownVerbs += (plan.unknownVerbs.empty() ? "" : " ") + triple.verb;
        }
    }
}

}  // namespace

std::string KeyOf(const MenuItem& item) {
    std::vector<std::string> tokens;
    SplitRow(item.RowText().data(), item.RowText().size(), tokens);
    return tokens.size() < kTitleTokens ? std::string() : ComposeKey(tokens[0], tokens[1]);
}

ItemPlan PlanItem(const MenuItem& item) {
    ItemPlan plan;
    std::vector<std::string> tokens;
    SplitRow(item.RowText().data(), item.RowText().size(), tokens);
    if (tokens.size() < kTitleTokens) return plan;
    plan.key = ComposeKey(tokens[0], tokens[1]);
    if (tokens.size() != kTitleTokens) {
        PlanTriples(tokens, plan);
        return plan;
    }
    plan.isFlow = true;
    const flows::FlowPlan flow =
        flows::PlanItemFlows(std::string(item.RowText()), inspect::FlowPlanContext());
    plan.offeredTo.assign(flow.offeredTo.begin(), flow.offeredTo.end());
    plan.flowKnown = flow.handled;
    AddFlowSteps(flow.steps, plan);
    return plan;
}

ItemPlan ManagerPlan() {
    ItemPlan plan;
    plan.key = kManagerKey;
    plan.runs.push_back(MakeRun(RunModeOf(kManagerOperation), kManagerDirKey, kManagerProgram));
    return plan;
}

std::vector<ItemPlan> PlanCatalogue(const MenuCatalog& catalog) {
    std::vector<ItemPlan> plans;
    std::set<std::string> seen;
    for (int position = 0; position < catalog.Count(); ++position) {
        ItemPlan plan = PlanItem(catalog.ItemAt(position));
        if (seen.insert(plan.key).second) plans.push_back(std::move(plan));
    }
    return plans;
}

std::set<StartedFile> FilesStarted(const std::vector<ItemPlan>& plans) {
    std::set<StartedFile> files;
    for (const ItemPlan& plan : plans) {
        for (const PlannedRun& run : plan.runs) {
            // Resolved as the run operation resolves it, against an installation that gives
            // the key an empty directory: whether it opens a document is the run rules' say.
            const InstallationView installation{
                {}, inspect::RootKey(), std::vector<std::string>{run.dirKey, {}}, true};
            const ResolvedRun resolved =
                ResolveRun(*run.mode, run.dirKey, run.program, installation);
            files.insert({run.dirKey, run.program.substr(0, gbk::Find(run.program, ' ')),
                          resolved.command.isDocument});
        }
    }
    return files;
}

}  // namespace host
