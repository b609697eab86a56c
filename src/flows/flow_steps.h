// The vocabulary of the item flows: steps, rows of recognised texts, and their interpreter.
//
// A flow is a constant table of rows; each row names its module and item title, a step list
// and the arguments that the step list's parameters stand for. Shared sequences are step lists
// written once with parameters (the directory key and up to two texts); a row binds them.
#ifndef TRUV_FLOWS_FLOW_STEPS_H
#define TRUV_FLOWS_FLOW_STEPS_H

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "launch/launcher.h"
#include "launch/run_rules.h"

namespace flows {

inline constexpr RunOperation kRunExeFile = &Launcher::RunExeFile;
inline constexpr RunOperation kRunExeFileMin = &Launcher::RunExeFileMin;
inline constexpr RunOperation kRunExeFileNor = &Launcher::RunExeFileNor;

/// A directory key: a module key such as "CORE", or the launcher's `rootKey` (the
/// installation root), which is a value of the running launcher and not a literal.
struct DirKey {
    std::string_view name;
    bool installRoot = false;
};

inline constexpr DirKey kInstallRoot{{}, true};

/// What a row binds to the parameters of its step list.
struct FlowArgs {
    DirKey key = {};
    std::string_view first = {};
    std::string_view second = {};
};

/// A directory key as a step names it: a fixed key, or the row's key parameter.
struct KeyArg {
    constexpr KeyArg(DirKey fixed_) : fixed(fixed_) {}
    static constexpr KeyArg Parameter() {
        KeyArg arg{DirKey{}};
        arg.fromArgs = true;
        return arg;
    }
    DirKey fixed;
    bool fromArgs = false;
};

/// A text as a step names it: a literal, or the row's first or second text parameter.
struct TextArg {
    constexpr TextArg(const char* literal_) : literal(literal_) {}
    static constexpr TextArg Parameter(int slot_) {
        TextArg arg{""};
        arg.slot = slot_;
        return arg;
    }
    std::string_view literal;
    int slot = 0;  // 0: the literal; 1: FlowArgs::first; 2: FlowArgs::second
};

/// The parameters of a shared step list.
inline constexpr KeyArg kKeyParameter = KeyArg::Parameter();
inline constexpr TextArg kFirstParameter = TextArg::Parameter(1);
inline constexpr TextArg kSecondParameter = TextArg::Parameter(2);

enum class StepKind {
    kRun,                  // operation, key, text = program text
    kDelete,               // text = pattern of work files to delete
    kIfPresent,            // text = pattern; `then` when an entry matches, else `otherwise`
    kIfSecondByteIsThree,  // text = file; `then` when its second byte is the character 3
    kShowDevNotice,        // the notice of the analysis module in development
    kShowMessage,          // text = the message
    kSteps,                // `then`, a named step list, in place
};

struct Step {
    StepKind kind;
    RunOperation operation = nullptr;
    KeyArg key = DirKey{};
    TextArg text = "";
    std::span<const Step> then = {};
    std::span<const Step> otherwise = {};
};

// Step builders, so that the tables read like the flows they describe.
constexpr Step Run(RunOperation operation, KeyArg key, TextArg program) {
    return {.kind = StepKind::kRun, .operation = operation, .key = key, .text = program};
}
constexpr Step Delete(TextArg pattern) {
    return {.kind = StepKind::kDelete, .text = pattern};
}
constexpr Step IfPresent(TextArg pattern, std::span<const Step> then,
                         std::span<const Step> otherwise = {}) {
    return {.kind = StepKind::kIfPresent, .text = pattern, .then = then, .otherwise = otherwise};
}
constexpr Step IfSecondByteIsThree(TextArg file, std::span<const Step> then) {
    return {.kind = StepKind::kIfSecondByteIsThree, .text = file, .then = then};
}
constexpr Step ShowDevNotice() {
    return {.kind = StepKind::kShowDevNotice};
}
constexpr Step ShowText(TextArg message) {
    return {.kind = StepKind::kShowMessage, .text = message};
}
constexpr Step Steps(std::span<const Step> steps) {
    return {.kind = StepKind::kSteps, .then = steps};
}

/// One recognised row: its text is `module`, "|", `item`.
struct FlowRow {
    std::string_view module;
    std::string_view item;
    std::span<const Step> steps;
    FlowArgs args = {};
};

/// The row text that `row` recognises.
std::string RowText(const FlowRow& row);

/// The first row of `rows` whose text equals `rowText` trimmed (single-byte white space,
/// GBK-aware), compared byte for byte; nullptr when there is none.
const FlowRow* FindRow(std::span<const FlowRow> rows, const std::string& rowText);

/// What a run of steps is handed by its caller: the launcher whose run operations start the
/// programs, and the notice of the analysis module in development.
struct FlowContext {
    Launcher& launcher;
    const std::string& devNotice;
};

/// Carries out `steps` in order with `args` bound to their parameters.
void RunSteps(std::span<const Step> steps, const FlowArgs& args, const FlowContext& context);

/// The row that FindRow finds runs its steps and the result is 1; otherwise 0, with nothing
/// done.
int RunFirstMatchingRow(std::span<const FlowRow> rows, const std::string& rowText,
                        const FlowContext& context);

/// True when `file` opens exclusively and its first two bytes can be read, the second being
/// the character 3; the first byte is not examined.
bool SecondByteIsThree(const std::string& file);

// ---------------------------------------------------------------------------------------
// Planning: the same walk without touching the system, every branch taken.

/// What a plan is worked out with: the value that stands for the installation root as a
/// directory key, and the notice text.
struct PlanContext {
    std::string_view rootKey;
    std::string_view devNotice;
};

enum class PlannedKind {
    kRun,                  // mode, dirKey, text = program text
    kDelete,               // text = pattern
    kIfPresent,            // text = pattern; the steps below it run when an entry matches
    kIfAbsent,             // text = pattern; the steps below it run when none matches
    kIfSecondByteIsThree,  // text = file
    kMessage,              // text = the message
};

/// One step as a walk of every branch meets it.
struct PlannedStep {
    PlannedKind kind = PlannedKind::kRun;
    int depth = 0;  ///< the number of work-file tests it lies under
    std::string text = {};
    const RunMode* mode = nullptr;  ///< runs only
    std::string dirKey = {};        ///< runs only
};

/// Every step of `steps`, with `args` bound, in order; each test is followed by the steps of
/// its branch one level deeper, the "present" branch before the "absent" one.
std::vector<PlannedStep> PlanSteps(std::span<const Step> steps, const FlowArgs& args,
                                   const PlanContext& context);

}  // namespace flows

#endif  // TRUV_FLOWS_FLOW_STEPS_H
