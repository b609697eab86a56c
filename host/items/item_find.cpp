// Finding an item by typing.
#include "host/items/item_find.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "host/items/item_plan.h"
#include "host/platform/exit_codes.h"
#include "plugin/inspect.h"

namespace host {
namespace {

using ProgramsByKey = std::map<std::string, std::vector<std::string>>;

/// The program names each catalogue item starts, by key: a run's program text up to its first
/// blank.
ProgramsByKey ProgramsOf(const MenuCatalog& catalog) {
    ProgramsByKey programs;
    for (int i = 0; i < catalog.Count(); ++i) {
        std::vector<std::string>& names = programs[KeyOf(catalog.ItemAt(i))];
        for (const PlannedRun& run : PlanItem(catalog.ItemAt(i)).runs) {
            names.push_back(run.program.substr(0, run.program.find(' ')));
        }
    }
    return programs;
}

FindableItem Findable(const std::string& group, const MenuModule& module, const MenuNode& node,
                      const MenuEntry& entry, const ProgramsByKey& programs) {
    FindableItem item;
    item.path = group + kPathStep + module.title + kPathStep +
                (node.isSubMenu ? node.subMenu + kPathStep : "") + gbk::Trim(entry.title);
    item.key = entry.key;
    item.texts = {entry.title, module.title, module.moduleKey};
    const auto known = programs.find(entry.key);
    if (known != programs.end()) {
        item.texts.insert(item.texts.end(), known->second.begin(), known->second.end());
    }
    item.initials = {gbk::PinyinInitials(entry.title), gbk::PinyinInitials(module.title)};
    return item;
}

bool IsLatin(const std::string& query) {
    return std::all_of(query.begin(), query.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

std::vector<FindableItem> FindableItems(const MenuTree& tree, const MenuCatalog& catalog) {
    const ProgramsByKey programs = ProgramsOf(catalog);
    std::vector<FindableItem> items;
    for (const MenuGroupBlock& group : tree.groups) {
        for (const MenuModule& module : group.modules) {
            for (const MenuNode& node : module.nodes) {
                for (const MenuEntry& entry : node.entries) {
                    items.push_back(Findable(group.title, module, node, entry, programs));
                }
            }
        }
    }
    return items;
}

bool MatchesQuery(const FindableItem& item, const std::string& query) {
    const std::string wanted = gbk::Upper(gbk::Trim(query));
    if (wanted.empty()) return false;
    for (const std::string& text : item.texts) {
        if (gbk::FindText(gbk::Upper(text), wanted) != std::string_view::npos) return true;
    }
    if (!IsLatin(wanted)) return false;
    std::string lower = wanted;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::any_of(
        item.initials.begin(), item.initials.end(),
        [&](const std::string& initials) { return initials.find(lower) != std::string::npos; });
}

std::vector<const FindableItem*> FindItems(const std::vector<FindableItem>& items,
                                           const std::string& query) {
    std::vector<const FindableItem*> found;
    for (const FindableItem& item : items) {
        if (MatchesQuery(item, query)) found.push_back(&item);
    }
    return found;
}

std::vector<FindableItem> FindableItems(const MenuTree& tree) {
    MenuCatalog catalog;
    BuildMenuGroups(catalog);
    return FindableItems(tree, catalog);
}

int FindCommand(const Console& console, const MenuTree& tree, const std::string& text) {
    const std::vector<FindableItem> findable = FindableItems(tree);
    const std::vector<const FindableItem*> found = FindItems(findable, text);
    for (const FindableItem* item : found) console.Line(item->path + "    key: " + item->key);
    if (found.empty()) console.Line("no item matches " + text);
    return found.empty() ? kExitProblem : kExitDone;
}

}  // namespace host
