// One menu row of the catalogue and the operations that carry it out.
#ifndef TRUV_MODEL_MENU_ITEM_H
#define TRUV_MODEL_MENU_ITEM_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/item_arena.h"

class MenuItem {
public:
    /// A new item with copies of the three texts behind it, in memory of `arena`: the item must not
    /// be deleted but destroyed (its destructor called) before the arena goes.
    static MenuItem* MakeIn(ItemArena& arena, int moduleNumber, std::string_view caption,
                            std::string_view moduleKey, std::string_view rowText);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;
    virtual ~MenuItem();

    int ModuleNumber() const { return moduleNumber; }
    std::string_view Caption() const { return caption; }
    std::string_view ModuleKey() const { return moduleKey; }
    std::string_view RowText() const { return rowText; }

    /// 0 with the outputs untouched when the row is empty; otherwise gives the caption, the
    /// module key and the whole row's tokens by SplitRow's rules, and returns 1. The outputs
    /// are views into this item, valid as long as it lives (the catalogue's items live until
    /// the library is unloaded).
    int GetParts(std::string_view& captionOut, std::string_view& moduleKeyOut,
                 std::vector<std::string_view>& tokens) const;

    /// How many rows GetParts has read since the library was loaded: the benchmarks break the
    /// first menu down by it, and the tests check that every reader goes through it.
    static std::uint64_t PartsTaken();

    // Carrying the row out reaches the launcher and the item flows, which sit above this
    // layer: these two are defined with the plug-in's dispatch (src/plugin/dispatch.cpp).

    /// A row of two tokens goes to the item flows (1 when one handled it, else 0); otherwise
    /// every whole triple runs through RunTriple, and the result is 1.
    int Execute() const;

    /// Trims all three texts, upper-cases verb and directory key, maps "CFG" to the launcher's
    /// root key and calls the matching run operation: 1, or -1 (with a message) for a verb that
    /// is none of the four.
    int RunTriple(std::string verb, std::string dirKey, std::string program) const;

private:
    /// The texts are views into the block behind the item, which Place fills.
    MenuItem(int moduleNumber, std::string_view caption, std::string_view moduleKey,
             std::string_view rowText);

    /// The bytes of an item with these texts behind it.
    static std::size_t BlockSize(std::string_view caption, std::string_view moduleKey,
                                 std::string_view rowText);
    /// Makes the item in `block` (of BlockSize bytes), its texts copied behind it.
    static MenuItem* Place(void* block, int moduleNumber, std::string_view caption,
                           std::string_view moduleKey, std::string_view rowText);

    /// Where the row's tokens stand, found once when the item is made, by the rules of
    /// SplitRow: the menu file reads every row once per module title of its group, and
    /// GetParts then hands out views instead of scanning and copying the row each time.
    struct TokenSpan {
        std::uint32_t start = 0;
        std::uint32_t length = 0;
    };
    static constexpr std::size_t kSpanRoom = 14;  // two titles and four triples

    void FindTokenSpans();
    void AddSpan(TokenSpan span);
    std::string_view SpannedText() const { return splicedTokens.empty() ? rowText : splicedTokens; }

    int moduleNumber;
    std::string_view caption;
    std::string_view moduleKey;
    std::string_view rowText;
    /// The tokens end to end, kept only when one of them had tabs between its bytes and so is
    /// no stretch of the row; the spans then point into this text instead of the row.
    std::string splicedTokens;
    std::array<TokenSpan, kSpanRoom> spans{};
    std::vector<TokenSpan> moreSpans;  // the spans beyond kSpanRoom, of very long rows
    std::size_t spanCount = 0;
};

#endif  // TRUV_MODEL_MENU_ITEM_H
