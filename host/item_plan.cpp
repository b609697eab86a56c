// What a menu item would do, worked out from the catalogue and the flows.
#include "host/item_plan.h"

#include <span>

#include "core/entry.h"
#include "core/gbk_text.h"
#include "core/globals.h"
#include "core/menu_catalog.h"
#include "core/menu_item.h"
#include "core/split_row.h"
#include "flows/flow_rows.h"

namespace host {

const char* const kManagerKey = "DMGT|DMGT";

namespace {

constexpr const char* kRootDirKey = "CFG";
constexpr const char* kHelpExtension = ".CHM";
constexpr std::size_t kTitleTokens = 2;
constexpr std::size_t kTripleTokens = 3;

struct Operation {
    const char* verb;  // as the catalogue rows name it, upper case
    const char* name;
    flows::RunOperation run;
    KeyMatch match;
    bool upperCase;
};

// clang-format off
const Operation kOperations[] = {
    {"RUNEXEFILE",    "RunExeFile",    &Launcher::RunExeFile,    KeyMatch::First, true},
    {"RUNEXEFILEMIN", "RunExeFileMin", &Launcher::RunExeFileMin, KeyMatch::Last,  true},
    {"RUNEXEFILEMAX", "RunExeFileMax", &Launcher::RunExeFileMax, KeyMatch::Last,  false},
    {"RUNEXEFILENOR", "RunExeFileNor", &Launcher::RunExeFileNor, KeyMatch::Last,  false},
};
// clang-format on

PlannedRun MakeRun(const Operation& operation, std::string dirKey, std::string program) {
    PlannedRun run;
    run.operation = operation.name;
    run.dirKey = std::move(dirKey);
    run.program = std::move(program);
    run.match = operation.match;
    run.upperCase = operation.upperCase;
    run.helpDocuments = operation.upperCase;
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
        for (const Operation& operation : kOperations) {
            if (operation.run != step.operation) continue;
            PlannedRun run =
                MakeRun(operation, KeyOfStep(step.key, args_), TextOf(step.text, args_));
            run.condition = condition;
            plan_.runs.push_back(run);
            plan_.lines.push_back({depth, {}, true, run});
            return;
        }
    }

    static std::string Join(const std::string& condition, const std::string& more) {
        return condition.empty() ? more : condition + ", " + more;
    }

    const flows::FlowArgs& args_;
    ItemPlan& plan_;
};

void PlanTriples(const std::vector<std::string>& tokens, ItemPlan& plan) {
    const std::size_t triples = (tokens.size() - kTitleTokens) / kTripleTokens;
    for (std::size_t i = 0; i < triples; ++i) {
        const std::size_t first = kTitleTokens + kTripleTokens * i;
        const std::string verb = gbk::Upper(gbk::Trim(tokens[first]));
        std::string dirKey = gbk::Upper(gbk::Trim(tokens[first + 1]));
        if (dirKey == kRootDirKey) dirKey.clear();
        bool known = false;
        for (const Operation& operation : kOperations) {
            if (verb != operation.verb) continue;
            plan.runs.push_back(MakeRun(operation, dirKey, gbk::Trim(tokens[first + 2])));
            known = true;
        }
        if (!known) plan.unknownVerbs += (plan.unknownVerbs.empty() ? "" : " ") + verb;
    }
}

}  // namespace

void BuildCatalogue(MenuCatalog& catalog) {
    BuildMenuGroups(catalog);
}

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
    plan.runs.push_back(MakeRun(kOperations[0], "DMGT", "SuiteMgr.exe"));
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
            const std::string name = run.program.substr(0, gbk::Find(run.program, ' '));
            const std::size_t document = gbk::FindText(gbk::Upper(name), kHelpExtension);
            files.insert({run.dirKey, name,
                          run.helpDocuments && document != std::string::npos && document > 0});
        }
    }
    return files;
}

}  // namespace host
