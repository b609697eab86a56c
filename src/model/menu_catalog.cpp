// The catalogue of menu rows: the global one owns its items, views only borrow them.
#include "model/menu_catalog.h"

#include <algorithm>
#include <functional>

namespace {
// More than the rows of this library's catalogue (321).
constexpr std::size_t kTypicalRows = 400;
// The index's first size: under half full with the typical rows.
constexpr std::size_t kFirstIndexSize = 1024;

std::size_t HashOf(std::string_view rowText) {
    return std::hash<std::string_view>{}(rowText);
}
}  // namespace

MenuCatalog::MenuCatalog() = default;

// Every item it holds was made by Add in its arena (a view holds none by then): each is destroyed
// through its virtual destructor, and the arena then gives the memory back.
MenuCatalog::~MenuCatalog() {
    for (MenuItem* item : items) item->~MenuItem();
}

int MenuCatalog::Add(std::string_view caption, std::string_view moduleKey, std::string_view rowText,
                     int moduleNumber) {
    // Room for the whole catalogue at once, so that building it seldom grows the array; the
    // room is made before the item, so that appending it cannot fail.
    if (items.size() == items.capacity()) items.reserve(std::max(kTypicalRows, 2 * items.size()));
    if (2 * (items.size() + 1) > index.size()) GrowIndex();
    const std::size_t slot = SlotOf(HashOf(rowText), caption, rowText);
    if (index[slot] != nullptr) return 0;
    items.push_back(MenuItem::MakeIn(arena, moduleNumber, caption, moduleKey, rowText));
    index[slot] = items.back();
    return 1;
}

bool MenuCatalog::Holds(std::string_view caption, std::string_view rowText) const {
    return !index.empty() && index[SlotOf(HashOf(rowText), caption, rowText)] != nullptr;
}

std::size_t MenuCatalog::SlotOf(std::size_t rowHash, std::string_view caption,
                                std::string_view rowText) const {
    const std::size_t mask = index.size() - 1;
    std::size_t slot = rowHash & mask;
    while (index[slot] != nullptr &&
           (index[slot]->RowText() != rowText || index[slot]->Caption() != caption)) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

void MenuCatalog::GrowIndex() {
    const std::size_t size = index.empty() ? kFirstIndexSize : 2 * index.size();
    index.assign(size, nullptr);
    for (const MenuItem* item : items) {
        index[SlotOf(HashOf(item->RowText()), item->Caption(), item->RowText())] = item;
    }
}

void MenuCatalog::Borrow(const MenuCatalog& owner, int begin, int end) {
    // A view never deletes what it borrowed: Forget empties it before it is destroyed.
    for (int position = begin; position < end; ++position) items.push_back(owner.items[position]);
}

void MenuCatalog::Forget() {
    items.clear();
    index.clear();
}

int MenuCatalog::CollectModuleTitles(std::vector<std::string>& titles) const {
    titles.clear();
    std::string_view caption;
    std::string_view moduleKey;
    std::vector<std::string_view> tokens;
    for (const MenuItem* item : items) {
        if (!item->GetParts(caption, moduleKey, tokens) || tokens.size() < 2) continue;
        if (std::find(titles.begin(), titles.end(), tokens[0]) == titles.end()) {
            titles.emplace_back(tokens[0]);
        }
    }
    return static_cast<int>(titles.size());
}
