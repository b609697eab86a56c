// The catalogue of menu rows: the global one owns its items, views only borrow them.
#ifndef TRUV_MODEL_MENU_CATALOG_H
#define TRUV_MODEL_MENU_CATALOG_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/item_arena.h"
#include "model/menu_item.h"

class MenuCatalog {
public:
    MenuCatalog();
    MenuCatalog(const MenuCatalog&) = delete;
    MenuCatalog& operator=(const MenuCatalog&) = delete;
    /// Destroys every item it holds, unless it was emptied as a view first.
    virtual ~MenuCatalog();

    /// Appends a new item, or returns 0 and adds nothing when an item with the same row text
    /// and the same caption is already present.
    int Add(std::string_view caption, std::string_view moduleKey, std::string_view rowText,
            int moduleNumber);

    /// True when an item with this row text and caption was added.
    bool Holds(std::string_view caption, std::string_view rowText) const;

    int Count() const { return static_cast<int>(items.size()); }
    const MenuItem& ItemAt(int position) const { return *items[position]; }

    /// View use: appends the items of `owner` at positions [begin, end) without taking
    /// ownership; Forget must empty the view before it is destroyed.
    void Borrow(const MenuCatalog& owner, int begin, int end);
    /// View use: forgets every item without deleting it.
    void Forget();

    /// Empties `titles`, then appends each row's module title not yet listed, in order.
    int CollectModuleTitles(std::vector<std::string>& titles) const;

    /// Writes the block of module `title`, from this catalogue's rows only, to `file`: the
    /// text of the menu file being composed (it is written to disk in one piece).
    void WriteModule(const std::string& title, std::string& file) const;

    /// Finds the item of `key` (module title, '|', item title) and carries it out: 1 for the
    /// drawing-management key, the item's Execute result, -1 for an empty or unknown key.
    /// Defined with the plug-in's entry points, above the launcher and the flows.
    int Dispatch(const std::string& key) const;

private:
    /// The slot of the index where the item with this row text (of hash `rowHash`) and caption
    /// is, or the empty slot where it would go.
    std::size_t SlotOf(std::size_t rowHash, std::string_view caption,
                       std::string_view rowText) const;
    /// Makes the index larger, for at least one more item at less than half full.
    void GrowIndex();

    std::vector<MenuItem*> items;
    /// Where the items that Add made live; a view's stays empty.
    ItemArena arena;
    /// The items that Add appended, by the hash of their row text, open addressed (a power of
    /// two of slots, the empty ones null; none until the first Add): the search for an equal
    /// row looks only at the few rows beside its hash, and adding needs no block of its own.
    std::vector<const MenuItem*> index;
};

#endif  // TRUV_MODEL_MENU_CATALOG_H
