// The catalogue of menu rows: the global one owns its items, views only borrow them.
#ifndef TRUV_MODEL_MENU_CATALOG_H
#define TRUV_MODEL_MENU_CATALOG_H

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/menu_item.h"

class MenuCatalog {
public:
    MenuCatalog();
    MenuCatalog(const MenuCatalog&) = delete;
    MenuCatalog& operator=(const MenuCatalog&) = delete;
    /// Deletes every item it holds, unless it was emptied as a view first.
    virtual ~MenuCatalog();

    /// Appends a new item, or returns 0 and adds nothing when an item with the same row text
    /// and the same caption is already present.
    int Add(std::string caption, std::string moduleKey, std::string rowText, int moduleNumber);

    /// True when an item with this row text and caption was added.
    bool Holds(const std::string& caption, const std::string& rowText) const;

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
    /// The item with this row text (of hash `rowHash`) and caption, if any.
    const MenuItem* Find(std::size_t rowHash, const std::string& caption,
                         const std::string& rowText) const;

    std::vector<MenuItem*> items;
    /// The items that Add appended, by the hash of their row text: the search for an equal
    /// row looks only at rows of the same hash.
    std::unordered_multimap<std::size_t, const MenuItem*> byRowHash;
};

#endif  // TRUV_MODEL_MENU_CATALOG_H
