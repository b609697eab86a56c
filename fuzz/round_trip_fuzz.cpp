// The menu file from the writer to the host's reader: every key the host forms from the
// written file is the key of the row it was written for, in the writer's order, and every
// row of a group is there. At start the real catalogue is written and compared with the
// golden file of the tests (which also proves the GBK literals of this build sound).
//
// Input: rows separated by 0x1E, each a byte for its group (mod 7, the groups in order: a row
// of an earlier group than the one before is skipped) and its row text. The rows stay inside
// what a catalogue holds: rows of one module follow each other; a row has at least a module
// title and an item title (a row with fewer tokens is no menu item and is dropped); two
// neighbouring rows whose sub-menu names are equal once trimmed are equal as they stand (the
// writer joins such rows in one sub-menu under the first one's name, so the second one's key
// would name a sub-menu it does not have; the catalogue has no such rows).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/builders.h"
#include "fuzz_support.h"
#include "host/items/menu_file_reader.h"
#include "model/menu_catalog.h"
#include "model/menu_file.h"
#include "model/split_row.h"
#include "os/os.h"
#include "text/gbk_text.h"

namespace {

constexpr char kRowSeparator = '\x1E';

// The sub-menu name of an item title, and whether it has one.
bool SubMenuName(const std::string& title, std::string& name) {
    const std::size_t at = gbk::Find(title, '_');
    name = at == std::string::npos ? std::string() : title.substr(0, at);
    return at != std::string::npos;
}

// True when the writer would put `title` into the sub-menu of `previous` under another name.
bool JoinsUnderAnotherName(const std::string& previous, const std::string& title) {
    std::string before;
    std::string name;
    return SubMenuName(previous, before) && SubMenuName(title, name) && before != name &&
           gbk::Trim(before) == gbk::Trim(name);
}

std::vector<std::string> Tokens(std::string_view row) {
    std::vector<std::string> tokens;
    SplitRow(row.data(), row.size(), tokens);
    return tokens;
}

// Writes `catalog` and reads it back as the host does.
host::MenuTree WrittenAndRead(const MenuCatalog& catalog, const GroupBounds& bounds) {
    const std::string path = fuzz::ScratchDir() + "/menu.txt";
    fuzz::Check(WriteMenuFile(path, catalog, bounds).empty(), "writing the menu file failed");
    host::MenuTree tree;
    std::string error;
    const bool read = host::ReadMenuFile(path, tree, error);
    if (!read) std::fprintf(stderr, "%s\n", error.c_str());
    fuzz::Check(read, "the host refuses the written menu file");
    fuzz::Check(os::DeleteFile(path) == os::kSuccess, "cannot delete the menu file");
    return tree;
}

// The keys in the writer's order: group by group, module titles in their first row's order,
// each module's rows in catalogue order.
std::vector<std::string> ExpectedKeys(const MenuCatalog& catalog, const GroupBounds& bounds) {
    std::vector<std::string> keys;
    for (int group = 0; group < kGroupCount; ++group) {
        std::vector<std::string> titles;
        for (int i = bounds.groupStart[group]; i < bounds.groupStart[group + 1]; ++i) {
            const std::vector<std::string> tokens = Tokens(catalog.ItemAt(i).RowText());
            if (tokens.size() < 2) continue;
            bool listed = false;
            for (const std::string& title : titles) listed = listed || title == tokens[0];
            if (!listed) titles.push_back(tokens[0]);
        }
        for (const std::string& title : titles) {
            for (int i = bounds.groupStart[group]; i < bounds.groupStart[group + 1]; ++i) {
                const std::vector<std::string> tokens = Tokens(catalog.ItemAt(i).RowText());
                if (tokens.size() >= 2 && tokens[0] == title)
                    keys.push_back(tokens[0] + "|" + tokens[1]);
            }
        }
    }
    return keys;
}

void CheckRoundTrip(const MenuCatalog& catalog, const GroupBounds& bounds) {
    const host::MenuTree tree = WrittenAndRead(catalog, bounds);
    fuzz::Check(tree.groups.size() == kGroupCount, "not seven groups");
    for (int group = 0; group < kGroupCount; ++group) {
        fuzz::Check(tree.groups[group].title == kGroupTitles[group], "a group title changed");
    }
    fuzz::Check(tree.Keys() == ExpectedKeys(catalog, bounds), "a key is not its row's key");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    MenuCatalog catalog;
    const GroupBounds bounds = BuildMenuGroups(catalog);
    const std::string path = fuzz::ScratchDir() + "/menu.txt";
    fuzz::Check(WriteMenuFile(path, catalog, bounds).empty(), "writing the menu file failed");
    fuzz::Check(fuzz::ReadWhole(path) == fuzz::ReadWhole(TRUV_GOLDEN_MENU),
                "the catalogue's menu file differs from the golden file");
    os::DeleteFile(path);
    CheckRoundTrip(catalog, bounds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::AsText(data, size);
    MenuCatalog catalog;
    GroupBounds bounds;
    int group = 0;
    std::string lastTitle;
    std::string lastItemTitle;        // of the row added last
    std::vector<std::string> titles;  // of the modules written so far
    for (std::size_t start = 0; start < input.size();) {
        std::size_t end = input.find(kRowSeparator, start);
        if (end == std::string_view::npos) end = input.size();
        const std::string_view record = input.substr(start, end - start);
        start = end + 1;
        if (record.empty()) continue;
        const int rowGroup = static_cast<unsigned char>(record[0]) % kGroupCount;
        const std::string row(record.substr(1));
        const std::vector<std::string> tokens = Tokens(row);
        if (rowGroup < group || tokens.size() < 2) continue;
        if (rowGroup > group) {
            titles.clear();
            lastTitle.clear();
            lastItemTitle.clear();
            for (; group < rowGroup; ++group) bounds.groupStart[group + 1] = catalog.Count();
        }
        bool seen = false;
        for (const std::string& title : titles) seen = seen || title == tokens[0];
        if (seen && tokens[0] != lastTitle) continue;
        if (tokens[0] == lastTitle && JoinsUnderAnotherName(lastItemTitle, tokens[1])) continue;
        if (catalog.Add("Caption", "ZETA", row, 1) == 0) continue;
        if (!seen) titles.push_back(tokens[0]);
        lastTitle = tokens[0];
        lastItemTitle = tokens[1];
    }
    for (; group < kGroupCount; ++group) bounds.groupStart[group + 1] = catalog.Count();
    CheckRoundTrip(catalog, bounds);
    return 0;
}
