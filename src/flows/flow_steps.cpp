// The interpreter of the item flows' steps, the recognition of their rows, and the plan of a
// walk through every branch.
#include "flows/flow_steps.h"

#include "flows/work_files.h"
#include "model/menu_key.h"
#include "model/message_box.h"
#include "model/trace.h"
#include "os/os.h"
#include "text/gbk_text.h"

namespace flows {

namespace {

/// The request for the third step of the continuation sequence, as its second byte.
constexpr char kThirdStepRequest = '3';

enum class WorkTest { kPresent, kSecondByteIsThree };

/// The branches of a test that a walk goes into.
struct Branches {
    bool then;
    bool otherwise;
};

std::string DirectoryKeyOf(const KeyArg& key, const FlowArgs& args, std::string_view rootKey) {
    const DirKey& dirKey = key.fromArgs ? args.key : key.fixed;
    return std::string(dirKey.installRoot ? rootKey : dirKey.name);
}

std::string TextOf(const TextArg& text, const FlowArgs& args) {
    if (text.slot == 1) return std::string(args.first);
    if (text.slot == 2) return std::string(args.second);
    return std::string(text.literal);
}

// The one interpreter of the step tables. A walker carries each step out or records it:
//   RootKey(), Notice(), Run(operation, dirKey, program), Delete(pattern), Show(text),
//   Test(test, file) -> Branches, Enter(test, file, then), Leave().
template <class Walker>
void Walk(std::span<const Step> steps, const FlowArgs& args, Walker& walker);

template <class Walker>
void WalkBranches(WorkTest test, const std::string& file, const Step& step, const FlowArgs& args,
                  Walker& walker) {
    const Branches taken = walker.Test(test, file);
    if (taken.then) {
        walker.Enter(test, file, true);
        Walk(step.then, args, walker);
        walker.Leave();
    }
    if (taken.otherwise && !step.otherwise.empty()) {
        walker.Enter(test, file, false);
        Walk(step.otherwise, args, walker);
        walker.Leave();
    }
}

template <class Walker>
void WalkStep(const Step& step, const FlowArgs& args, Walker& walker) {
    switch (step.kind) {
        case StepKind::kRun:
            walker.Run(step.operation, DirectoryKeyOf(step.key, args, walker.RootKey()),
                       TextOf(step.text, args));
            return;
        case StepKind::kDelete:
            walker.Delete(TextOf(step.text, args));
            return;
        case StepKind::kIfPresent:
            WalkBranches(WorkTest::kPresent, TextOf(step.text, args), step, args, walker);
            return;
        case StepKind::kIfSecondByteIsThree:
            WalkBranches(WorkTest::kSecondByteIsThree, TextOf(step.text, args), step, args, walker);
            return;
        case StepKind::kShowDevNotice:
            walker.Show(std::string(walker.Notice()));
            return;
        case StepKind::kShowMessage:
            walker.Show(TextOf(step.text, args));
            return;
        case StepKind::kSteps:
            Walk(step.then, args, walker);
            return;
    }
}

template <class Walker>
void Walk(std::span<const Step> steps, const FlowArgs& args, Walker& walker) {
    for (const Step& step : steps) WalkStep(step, args, walker);
}

/// Carries every step out: starts, deletions, tests of the project directory, boxes.
class StepRunner {
public:
    explicit StepRunner(const FlowContext& context) : context_(context) {}

    std::string_view RootKey() const { return context_.launcher.rootKey; }
    std::string_view Notice() const { return context_.devNotice; }
    void Run(RunOperation operation, std::string dirKey, std::string program) {
        (context_.launcher.*operation)(std::move(dirKey), std::move(program));
    }
    void Delete(const std::string& pattern) { DeleteWorkFiles(pattern); }
    void Show(const std::string& text) { ShowMessage(text); }
    Branches Test(WorkTest test, const std::string& file) {
        const bool holds =
            test == WorkTest::kPresent ? WorkFilePresent(file) : SecondByteIsThree(file);
        return {holds, !holds};
    }
    void Enter(WorkTest, const std::string&, bool) {}
    void Leave() {}

private:
    const FlowContext& context_;
};

/// Records every step and goes into every branch; touches nothing.
class StepPlanner {
public:
    explicit StepPlanner(const PlanContext& context) : context_(context) {}

    std::string_view RootKey() const { return context_.rootKey; }
    std::string_view Notice() const { return context_.devNotice; }
    void Run(RunOperation operation, std::string dirKey, std::string program) {
        Add(PlannedKind::kRun, std::move(program));
        steps_.back().mode = &RunModeOf(operation);
        steps_.back().dirKey = std::move(dirKey);
    }
    void Delete(const std::string& pattern) { Add(PlannedKind::kDelete, pattern); }
    void Show(const std::string& text) { Add(PlannedKind::kMessage, text); }
    Branches Test(WorkTest, const std::string&) { return {true, true}; }
    void Enter(WorkTest test, const std::string& file, bool then) {
        if (test == WorkTest::kSecondByteIsThree) {
            Add(PlannedKind::kIfSecondByteIsThree, file);
        } else {
            Add(then ? PlannedKind::kIfPresent : PlannedKind::kIfAbsent, file);
        }
        ++depth_;
    }
    void Leave() { --depth_; }

    std::vector<PlannedStep> Take() { return std::move(steps_); }

private:
    void Add(PlannedKind kind, std::string text) {
        steps_.push_back({.kind = kind, .depth = depth_, .text = std::move(text)});
    }

    const PlanContext& context_;
    int depth_ = 0;
    std::vector<PlannedStep> steps_;
};

}  // namespace

std::string RowText(const FlowRow& row) {
    return ComposeKey(row.module, row.item);
}

const FlowRow* FindRow(std::span<const FlowRow> rows, const std::string& rowText) {
    const std::string text = gbk::Trim(rowText);
    for (const FlowRow& row : rows) {
        if (IsKeyOf(text, row.module, row.item)) return &row;
    }
    return nullptr;
}

void RunSteps(std::span<const Step> steps, const FlowArgs& args, const FlowContext& context) {
    StepRunner runner(context);
    Walk(steps, args, runner);
}

int RunFirstMatchingRow(std::span<const FlowRow> rows, const std::string& rowText,
                        const FlowContext& context) {
    const FlowRow* row = FindRow(rows, rowText);
    if (row == nullptr) return 0;
    RunSteps(row->steps, row->args, context);
    return 1;
}

bool SecondByteIsThree(const std::string& file) {
    os::File request;
    char head[2] = {};
    long count = 0;
    if (request.OpenExclusiveRead(file) == os::kSuccess) {
        count = request.Read(head, sizeof head);
        request.Close();
    }
    const bool third = count == 2 && head[1] == kThirdStepRequest;
    trace::Event(trace::kRead, {file, third ? "second byte '3'" : "no '3' as second byte"});
    return third;
}

std::vector<PlannedStep> PlanSteps(std::span<const Step> steps, const FlowArgs& args,
                                   const PlanContext& context) {
    StepPlanner planner(context);
    Walk(steps, args, planner);
    return planner.Take();
}

}  // namespace flows
