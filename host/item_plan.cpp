// What a menu item would do, worked out from the catalogue and the flows.
#include "host/item_plan.h"

#include <span>

#include "flows/dev_notice.h"
#include "flows/flow_rows.h"
#include "model/menu_catalog.h"
#include "model/menu_item.h"
#include "model/split_row.h"
#include "plugin/dispatch.h"
#include "text/gbk_text.h"

namespace host {

namespace {

constexpr std::size_t kTitleTokens = 2;

// A flow's run step names no "CFG": the root is the launcher's root key, which is empty.
const std::string kRootKey;

PlannedRun MakeRun(const RunMode& mode, std::string dirKey, std::string program) {
    PlannedRun run;
    run.mode = &mode;
    run.dirKey = std::move(dirKey);
    run.program = std::move(program);
    return run;
}

/// The flow tables in the order the chain offers a row to them.
std::vector<std::span<const flows::FlowRow>> FlowTables() {
    return {flows::SteelFlowRows(), flows::MasonryFlowRows(), flows::StructureFlowRows(),
            flows::SpecialStructureFlowRows(), flows::ArchitectureFlowRows()};
}

const flows::FlowRow* FindFlowRow(const std::string& rowText) {
    const std::string trimmed = gbk::Trim(rowText);
    for (std::span<const flows::FlowRow> table : FlowTables()) {
        for (const flows::FlowRow& row : table) {
            if (flows::RowText(row) == trimmed) return &row;
        }
    }
    return nullptr;
}

std::string TextOf(const flows::TextArg& text, const flows::FlowArgs& args) {
    switch (text.slot) {
        case 1:
            return std::string(args.first);
        case 2:
            return std::string(args.second);
        default:
            return std::string(text.literal);
    }
}

std::string KeyOfStep(const flows::KeyArg& key, const flows::FlowArgs& args) {
    const flows::DirKey& dirKey = key.fromArgs ? args.key : key.fixed;
    return dirKey.installRoot ? std::string() : std::string(dirKey.name);
}

/// Walks a flow's steps, every branch, writing lines and collecting the starts.
class FlowWalker {
public:
    FlowWalker(const flows::FlowArgs& args, ItemPlan& plan) : args_(args), plan_(plan) {}

    void Walk(std::span<const flows::Step> steps, int depth, const std::string& condition) {
        for (const flows::Step& step : steps) WalkStep(step, depth, condition);
    }

private:
    void Line(int depth, std::string text) {
        plan_.lines.push_back({depth, std::move(text), false, {}});
    }

    void WalkStep(const flows::Step& step, int depth, const std::string& condition) {
        const std::string text = TextOf(step.text, args_);
        switch (step.kind) {
            case flows::StepKind::kRun:
                return AddRun(step, depth, condition);
            case flows::StepKind::kDelete:
                return Line(depth, "delete work files " + text);
            case flows::StepKind::kIfPresent:
                Line(depth, "if " + text + " is present:");
                Walk(step.then, depth + 1, Join(condition, text + " present"));
                if (step.otherwise.empty()) return;
                Line(depth, "otherwise:");
                return Walk(step.otherwise, depth + 1, Join(condition, text + " absent"));
            case flows::StepKind::kIfSecondByteIsThree:
                Line(depth, "if the second byte of " + text + " is '3':");
                return Walk(step.then, depth + 1, Join(condition, text + " says 3"));
            case flows::StepKind::kShowDevNotice:
                return Line(depth, "message: " + devNotice);
            case flows::StepKind::kShowMessage:
                return Line(depth, "message: " + text);
            case flows::StepKind::kSteps:
                return Walk(step.then, depth, condition);
        }
    }

    void AddRun(const flows::Step& step, int depth, const std::string& condition) {
        PlannedRun run = MakeRun(RunModeOf(step.operation), KeyOfStep(step.key, args_),
                                 TextOf(step.text, args_));
        run.condition = condition;
        plan_.runs.push_back(run);
        plan_.lines.push_back({depth, {}, true, run});
    }

    static std::string Join(const std::string& condition, const std::string& more) {
        return condition.empty() ? more : condition + ", " + more;
    }

    const flows::FlowArgs& args_;
    ItemPlan& plan_;
};

void PlanTriples(const std::vector<std::string>& tokens, ItemPlan& plan) {
    for (std::size_t i = 0; i < TripleCount(tokens); ++i) {
        const CommandTriple triple = TripleAt(tokens, i, kRootKey);
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
    return tokens.size() < kTitleTokens ? std::string() : tokens[0] + "|" + tokens[1];
}

ItemPlan PlanItem(const MenuItem& item) {
    ItemPlan plan;
    std::vector<std::string> tokens;
    SplitRow(item.RowText().data(), item.RowText().size(), tokens);
    if (tokens.size() < kTitleTokens) return plan;
    plan.key = tokens[0] + "|" + tokens[1];
    if (tokens.size() != kTitleTokens) {
        PlanTriples(tokens, plan);
        return plan;
    }
    plan.isFlow = true;
    const flows::FlowRow* row = FindFlowRow(item.RowText());
    if (row == nullptr) return plan;
    plan.flowKnown = true;
    FlowWalker(row->args, plan).Walk(row->steps, 0, {});
    return plan;
}

ItemPlan ManagerPlan() {
    ItemPlan plan;
    plan.key = kManagerKey;
    plan.runs.push_back(MakeRun(*FindRunMode("RUNEXEFILE"), kManagerDirKey, kManagerProgram));
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
            // Composed as the run operation composes it, from no directory.
            const bool documents = run.mode->upperCaseProgram && !run.dirKey.empty();
            const ComposedCommand command =
                ComposeCommand({}, documents ? gbk::Upper(run.program) : run.program, documents);
            files.insert({run.dirKey, run.program.substr(0, gbk::Find(run.program, ' ')),
                          command.isDocument});
        }
    }
    return files;
}

}  // namespace host
