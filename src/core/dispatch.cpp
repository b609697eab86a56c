// Turning a menu key into action: finding the row and carrying out its triples or its flow.
#include <string>
#include <vector>

#include "core/gbk_text.h"
#include "core/menu_catalog.h"
#include "core/menu_item.h"
#include "core/message_box.h"
#include "core/split_row.h"
#include "flows/item_flows.h"
#include "launch/launcher.h"

namespace {

constexpr const char* kEmptyCommand = "命令为空，无法运行!";
constexpr const char* kUnknownVerb = "无法解释的命令:";

// The drawing-management command works without the catalogue.
constexpr const char* kManagerKey = "DMGT|DMGT";
constexpr const char* kManagerDirKey = "DMGT";
constexpr const char* kManagerProgram = "SuiteMgr.exe";

constexpr const char* kRootDirKey = "CFG";

using RunOperation = void (Launcher::*)(std::string, std::string);

struct Verb {
    const char* name;  // upper case, compared whole
    RunOperation run;
};

// clang-format off
constexpr Verb kVerbs[] = {
    {"RUNEXEFILE",    &Launcher::RunExeFile},
    {"RUNEXEFILEMIN", &Launcher::RunExeFileMin},
    {"RUNEXEFILEMAX", &Launcher::RunExeFileMax},
    {"RUNEXEFILENOR", &Launcher::RunExeFileNor},
};
// clang-format on

constexpr std::size_t kTitleTokens = 2;
constexpr std::size_t kTripleTokens = 3;

}  // namespace

int MenuCatalog::Dispatch(const std::string& key) const {
    if (key.empty()) {
        ShowMessage(kEmptyCommand);
        return -1;
    }
    if (key == kManagerKey) {
        TheLauncher().RunExeFile(kManagerDirKey, kManagerProgram);
        return 1;
    }
    std::string caption;
    std::string moduleKey;
    std::vector<std::string> tokens;
    for (const MenuItem* item : items) {
        if (!item->GetParts(caption, moduleKey, tokens) || tokens.size() < kTitleTokens) continue;
        if (tokens[0] + "|" + tokens[1] == key) return item->Execute();
    }
    return -1;
}

int MenuItem::Execute() const {
    std::vector<std::string> tokens;
    SplitRow(rowText.data(), rowText.size(), tokens);
    if (tokens.size() == kTitleTokens) return RunItemFlows(rowText) == 1 ? 1 : 0;
    const std::size_t triples =
        tokens.size() < kTitleTokens ? 0 : (tokens.size() - kTitleTokens) / kTripleTokens;
    for (std::size_t i = 0; i < triples; ++i) {
        const std::size_t first = kTitleTokens + kTripleTokens * i;
        RunTriple(tokens[first], tokens[first + 1], tokens[first + 2]);
    }
    return 1;
}

int MenuItem::RunTriple(std::string verb, std::string dirKey, std::string program) const {
    verb = gbk::Upper(gbk::Trim(verb));
    dirKey = gbk::Upper(gbk::Trim(dirKey));
    program = gbk::Trim(program);
    if (dirKey == kRootDirKey) dirKey = TheLauncher().rootKey;
    for (const Verb& candidate : kVerbs) {
        if (verb == candidate.name) {
            (TheLauncher().*candidate.run)(dirKey, program);
            return 1;
        }
    }
    ShowMessage(kUnknownVerb + program);
    return -1;
}
