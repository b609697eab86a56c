// The catalogue of menu rows: the global one owns its items, views only borrow them.
#include "model/menu_catalog.h"

#include <algorithm>
#include <functional>

namespace {
// More than the rows of this library's catalogue (321).
constexpr std::size_t kTypicalRows = 400;
}  // namespace

// Room for the whole catalogue, so that building it never grows the array or rehashes.
MenuCatalog::MenuCatalog() {
    items.reserve(kTypicalRows);
    byRowHash.reserve(kTypicalRows);
}

MenuCatalog::~MenuCatalog() {
    for (MenuItem* item : items) delete item;
}

int MenuCatalog::Add(std::string caption, std::string moduleKey, std::string rowText,
                     int moduleNumber) {
    const std::size_t hash = std::hash<std::string>{}(rowText);
    if (Find(hash, caption, rowText) != nullptr) return 0;
    items.push_back(
        new MenuItem(moduleNumber, std::move(caption), std::move(moduleKey), std::move(rowText)));
    byRowHash.emplace(hash, items.back());
    return 1;
}

bool MenuCatalog::Holds(const std::string& caption, const std::string& rowText) const {
    return Find(std::hash<std::string>{}(rowText), caption, rowText) != nullptr;
}

const MenuItem* MenuCatalog::Find(std::size_t rowHash, const std::string& caption,
                                  const std::string& rowText) const {
    const auto [first, last] = byRowHash.equal_range(rowHash);
    for (auto it = first; it != last; ++it) {
        if (it->second->RowText() == rowText && it->second->Caption() == caption) {
            return it->second;
        }
    }
    return nullptr;
}

void MenuCatalog::Borrow(const MenuCatalog& owner, int begin, int end) {
    // A view never deletes what it borrowed: Forget empties it before it is destroyed.
    for (int position = begin; position < end; ++position) items.push_back(owner.items[position]);
}

void MenuCatalog::Forget() {
    items.clear();
    byRowHash.clear();
}

int MenuCatalog::CollectModuleTitles(std::vector<std::string>& titles) const {
    titles.clear();
    std::string caption;
    std::string moduleKey;
    std::vector<std::string> tokens;
    for (const MenuItem* item : items) {
        if (!item->GetParts(caption, moduleKey, tokens) || tokens.size() < 2) continue;
        if (std::find(titles.begin(), titles.end(), tokens[0]) == titles.end()) {
            titles.push_back(tokens[0]);
        }
    }
    return static_cast<int>(titles.size());
}
