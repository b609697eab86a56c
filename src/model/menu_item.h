// One menu row of the catalogue and the operations that carry it out.
#ifndef TRUV_MODEL_MENU_ITEM_H
#define TRUV_MODEL_MENU_ITEM_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class MenuItem {
public:
    MenuItem(int moduleNumber, std::string caption, std::string moduleKey, std::string rowText);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;
    virtual ~MenuItem();

    int ModuleNumber() const { return moduleNumber; }
    const std::string& Caption() const { return caption; }
    const std::string& ModuleKey() const { return moduleKey; }
    const std::string& RowText() const { return rowText; }

    /// 0 with the outputs untouched when the row is empty; otherwise copies caption and
    /// module key, splits the whole row into `tokens` and returns 1.
    int GetParts(std::string& captionOut, std::string& moduleKeyOut,
                 std::vector<std::string>& tokens) const;

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
    /// Where SplitRow found the row's tokens, taken once when the item is made: GetParts then
    /// copies them instead of scanning the row again, which matters because the menu file reads
    /// every row once per module title of its group. Zero tokens when SplitRow must scan at
    /// every read (a token with a tab inside, or more tokens than there is room for).
    struct TokenSpan {
        std::uint16_t start = 0;
        std::uint16_t length = 0;
    };
    static constexpr std::size_t kSpanRoom = 14;  // two titles and four triples

    void FindTokenSpans();

    int moduleNumber;
    std::string caption;
    std::string moduleKey;
    std::string rowText;
    std::array<TokenSpan, kSpanRoom> spans{};
    std::uint8_t spanCount = 0;
};

#endif  // TRUV_MODEL_MENU_ITEM_H
