// Turning a menu key into action: finding the row and carrying out its triples or its flow.
#include "plugin/dispatch.h"

#include <string_view>
#include <vector>

#include "flows/item_flows.h"
#include "launch/launcher.h"
#include "launch/run_rules.h"
#include "model/message_box.h"
#include "model/split_row.h"
#include "model/trace.h"

namespace {

constexpr const char* kEmptyCommand = "命令为空，无法运行!";
constexpr const char* kUnknownVerb = "无法解释的命令:";

void TraceRow(std::string_view row) {
    trace::Event(trace::kRow, {row});
}

}  // namespace

int MenuCatalog::Dispatch(const std::string& key) const {
    if (key.empty()) {
        TraceRow(trace::kNoRow);
        ShowMessage(kEmptyCommand);
        return -1;
    }
    if (key == kManagerKey) {
        TraceRow(trace::kNoRow);
        (TheLauncher().*kManagerOperation)(kManagerDirKey, kManagerProgram);
        return 1;
    }
    // The item is found first and carried out after the search: a call from a box of its run
    // may add rows to the catalogue, and the item stays where it is until the library unloads.
    const MenuItem* found = FindItem(*this, key);
    TraceRow(found != nullptr ? std::string_view(found->RowText()) : trace::kNoRow);
    return found != nullptr ? found->Execute() : -1;
}

int MenuItem::Execute() const {
    std::vector<std::string> tokens;
    SplitRow(rowText.data(), rowText.size(), tokens);
    if (tokens.size() == kTitleTokens) return RunItemFlows(std::string(rowText));
    const std::size_t triples = TripleCount(tokens);
    for (std::size_t i = 0; i < triples; ++i) {
        const std::size_t first = kTitleTokens + kTripleTokens * i;
        RunTriple(tokens[first], tokens[first + 1], tokens[first + 2]);
    }
    return 1;
}

int MenuItem::RunTriple(std::string verb, std::string dirKey, std::string program) const {
    const CommandTriple triple = PrepareTriple(verb, dirKey, program, TheLauncher().rootKey);
    const RunMode* mode = FindRunMode(triple.verb);
    if (mode == nullptr) {
        ShowMessage(kUnknownVerb + triple.program);
        return -1;
    }
    (TheLauncher().*mode->run)(triple.dirKey, triple.program);
    return 1;
}
