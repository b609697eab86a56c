// A catalogue row's commands and the row of a key.
#include "plugin/item_rows.h"

#include "launch/launcher.h"
#include "model/menu_catalog.h"
#include "model/menu_item.h"
#include "model/menu_key.h"
#include "text/gbk_text.h"

namespace {

constexpr const char* kRootDirKey = "CFG";

}  // namespace

// The drawing-management command works without the catalogue.
const char* const kManagerKey = "DMGT|DMGT";
const char* const kManagerDirKey = "DMGT";
const char* const kManagerProgram = "SuiteMgr.exe";
const RunOperation kManagerOperation = &Launcher::RunExeFile;

CommandTriple PrepareTriple(const std::string& verb, const std::string& dirKey,
                            const std::string& program, const std::string& rootKey) {
    CommandTriple triple{gbk::Upper(gbk::Trim(verb)), gbk::Upper(gbk::Trim(dirKey)),
                         gbk::Trim(program)};
    if (triple.dirKey == kRootDirKey) triple.dirKey = rootKey;
    return triple;
}

std::size_t TripleCount(const std::vector<std::string>& tokens) {
    return tokens.size() < kTitleTokens ? 0 : (tokens.size() - kTitleTokens) / kTripleTokens;
}

CommandTriple TripleAt(const std::vector<std::string>& tokens, std::size_t index,
                       const std::string& rootKey) {
    const std::size_t first = kTitleTokens + kTripleTokens * index;
    return PrepareTriple(tokens[first], tokens[first + 1], tokens[first + 2], rootKey);
}

const MenuItem* FindItem(const MenuCatalog& catalog, const std::string& key) {
    std::string_view caption;
    std::string_view moduleKey;
    std::vector<std::string_view> tokens;  // reused row after row: the search seldom allocates
    for (int position = 0; position < catalog.Count(); ++position) {
        const MenuItem& item = catalog.ItemAt(position);
        if (!item.GetParts(caption, moduleKey, tokens) || tokens.size() < kTitleTokens) continue;
        if (IsKeyOf(key, tokens[0], tokens[1])) return &item;
    }
    return nullptr;
}
