// Turning a menu key into action: finding the row and carrying out its triples or its flow.
#include "plugin/dispatch.h"

#include <vector>

#include "flows/item_flows.h"
#include "launch/launcher.h"
#include "launch/run_rules.h"
#include "model/menu_catalog.h"
#include "model/menu_item.h"
#include "model/menu_key.h"
#include "model/message_box.h"
#include "model/split_row.h"
#include "plugin/globals.h"
#include "text/gbk_text.h"

namespace {

constexpr const char* kEmptyCommand = "命令为空，无法运行!";
constexpr const char* kUnknownVerb = "无法解释的命令:";

constexpr const char* kRootDirKey = "CFG";

constexpr std::size_t kTripleTokens = 3;

CommandTriple Prepared(std::string verb, std::string dirKey, std::string program,
                       const std::string& rootKey) {
    CommandTriple triple{gbk::Upper(gbk::Trim(verb)), gbk::Upper(gbk::Trim(dirKey)),
                         gbk::Trim(program)};
    if (triple.dirKey == kRootDirKey) triple.dirKey = rootKey;
    return triple;
}

}  // namespace

// The drawing-management command works without the catalogue.
const char* const kManagerKey = "DMGT|DMGT";
const char* const kManagerDirKey = "DMGT";
const char* const kManagerProgram = "SuiteMgr.exe";
const RunOperation kManagerOperation = &Launcher::RunExeFile;

std::size_t TripleCount(const std::vector<std::string>& tokens) {
    return tokens.size() < kTitleTokens ? 0 : (tokens.size() - kTitleTokens) / kTripleTokens;
}

CommandTriple TripleAt(const std::vector<std::string>& tokens, std::size_t index,
                       const std::string& rootKey) {
    const std::size_t first = kTitleTokens + kTripleTokens * index;
    return Prepared(tokens[first], tokens[first + 1], tokens[first + 2], rootKey);
}

const MenuItem* FindItem(const MenuCatalog& catalog, const std::string& key) {
    std::string caption;
    std::string moduleKey;
    std::vector<std::string> tokens;  // reused row after row: the search seldom allocates
    for (int position = 0; position < catalog.Count(); ++position) {
        const MenuItem& item = catalog.ItemAt(position);
        if (!item.GetParts(caption, moduleKey, tokens) || tokens.size() < kTitleTokens) continue;
        if (IsKeyOf(key, tokens[0], tokens[1])) return &item;
    }
    return nullptr;
}

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
    const CommandTriple triple =
        Prepared(std::move(verb), std::move(dirKey), std::move(program), TheLauncher().rootKey);
    const RunMode* mode = FindRunMode(triple.verb);
    if (mode == nullptr) {
        ShowMessage(kUnknownVerb + triple.program);
        return -1;
    }
    (TheLauncher().*mode->run)(triple.dirKey, triple.program);
    return 1;
}
