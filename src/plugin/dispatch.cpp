// Turning a menu key into action: finding the row and carrying out its triples or its flow.
#include "plugin/dispatch.h"

#include <vector>

#include "flows/item_flows.h"
#include "launch/launcher.h"
#include "launch/run_rules.h"
#include "model/menu_item.h"
#include "model/message_box.h"
#include "model/split_row.h"
#include "plugin/globals.h"
#include "plugin/item_rows.h"

namespace {

constexpr const char* kEmptyCommand = "命令为空，无法运行!";
constexpr const char* kUnknownVerb = "无法解释的命令:";

}  // namespace

int DispatchFound(const MenuItem* item, const std::string& key) {
    if (key.empty()) {
        ShowMessage(kEmptyCommand);
        return -1;
    }
    if (key == kManagerKey) {
        (TheLauncher().*kManagerOperation)(kManagerDirKey, kManagerProgram);
        return 1;
    }
    return item != nullptr ? Execute(*item) : -1;
}

int Dispatch(const MenuCatalog& catalog, const std::string& key) {
    return DispatchFound(FindItem(catalog, key), key);
}

int Execute(const MenuItem& item) {
    std::vector<std::string> tokens;
    SplitRow(item.RowText().data(), item.RowText().size(), tokens);
    if (tokens.size() == kTitleTokens)
        return RunItemFlows(item.RowText(), {TheLauncher(), devNotice}) == 1 ? 1 : 0;
    const std::size_t triples = TripleCount(tokens);
    for (std::size_t i = 0; i < triples; ++i) {
        const std::size_t first = kTitleTokens + kTripleTokens * i;
        RunTriple(tokens[first], tokens[first + 1], tokens[first + 2]);
    }
    return 1;
}

int RunTriple(std::string verb, std::string dirKey, std::string program) {
    const CommandTriple triple = PrepareTriple(verb, dirKey, program, TheLauncher().rootKey);
    const RunMode* mode = FindRunMode(triple.verb);
    if (mode == nullptr) {
        ShowMessage(kUnknownVerb + triple.program);
        return -1;
    }
    (TheLauncher().*mode->run)(triple.dirKey, triple.program);
    return 1;
}
