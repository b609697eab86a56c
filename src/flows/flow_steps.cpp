// The interpreter of the item flows' steps and the recognition of their rows.
#include "flows/flow_steps.h"

#include "flows/dev_notice.h"
#include "flows/work_files.h"
#include "model/message_box.h"
#include "model/trace.h"
#include "os/os.h"
#include "text/gbk_text.h"

namespace flows {

namespace {

/// The request for the third step of the continuation sequence, as its second byte.
constexpr char kThirdStepRequest = '3';

bool RequestsThirdStep(const std::string& file) {
    os::File request;
    if (request.OpenExclusiveRead(file) != os::kSuccess) return false;
    char head[2] = {};
    const long count = request.Read(head, sizeof head);
    request.Close();
    return count == 2 && head[1] == kThirdStepRequest;
}

std::string KeyOf(const KeyArg& key, const FlowArgs& args) {
    const DirKey& dirKey = key.fromArgs ? args.key : key.fixed;
    return dirKey.installRoot ? TheLauncher().rootKey : std::string(dirKey.name);
}

std::string TextOf(const TextArg& text, const FlowArgs& args) {
    if (text.slot == 1) return std::string(args.first);
    if (text.slot == 2) return std::string(args.second);
    return std::string(text.literal);
}

void RunStep(const Step& step, const FlowArgs& args) {
    switch (step.kind) {
        case StepKind::kRun:
            (TheLauncher().*step.operation)(KeyOf(step.key, args), TextOf(step.text, args));
            return;
        case StepKind::kDelete:
            DeleteWorkFiles(TextOf(step.text, args));
            return;
        case StepKind::kIfPresent:
            RunSteps(WorkFilePresent(TextOf(step.text, args)) ? step.then : step.otherwise, args);
            return;
        case StepKind::kIfSecondByteIsThree:
            if (SecondByteIsThree(TextOf(step.text, args))) RunSteps(step.then, args);
            return;
        case StepKind::kShowDevNotice:
            ShowMessage(devNotice);
            return;
        case StepKind::kShowMessage:
            ShowMessage(TextOf(step.text, args));
            return;
        case StepKind::kSteps:
            RunSteps(step.then, args);
            return;
    }
}

bool IsRowText(const FlowRow& row, std::string_view text) {
    return text.size() == row.module.size() + 1 + row.item.size() &&
           text.substr(0, row.module.size()) == row.module && text[row.module.size()] == '|' &&
           text.substr(row.module.size() + 1) == row.item;
}

}  // namespace

std::string RowText(const FlowRow& row) {
    std::string text(row.module);
    text += '|';
    text += row.item;
    return text;
}

void RunSteps(std::span<const Step> steps, const FlowArgs& args) {
    for (const Step& step : steps) RunStep(step, args);
}

int RunFirstMatchingRow(std::span<const FlowRow> rows, const std::string& rowText) {
    const std::string text = gbk::Trim(rowText);
    for (const FlowRow& row : rows) {
        if (!IsRowText(row, text)) continue;
        RunSteps(row.steps, row.args);
        return 1;
    }
    return 0;
}

bool SecondByteIsThree(const std::string& file) {
    const bool third = RequestsThirdStep(file);
    trace::Event(trace::kRead, {file, third ? "second byte '3'" : "no '3' as second byte"});
    return third;
}

}  // namespace flows
