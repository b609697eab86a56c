// The host's menu-file reader: any bytes are read or refused with the line named, never a
// fault or an exception. A file it reads has keys formed by the key rule, and, written back,
// reads as the same tree.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "host/items/menu_file_reader.h"
#include "menu_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(fuzz::AsText(data, size));
    host::MenuTree tree;
    std::string error;
    if (!host::ParseMenuFile(bytes, tree, error)) {
        fuzz::Check(error.rfind("line ", 0) == 0, "a refusal that names no line");
        return 0;
    }
    std::size_t keys = 0;
    for (const host::MenuGroupBlock& group : tree.groups) {
        for (const host::MenuModule& module : group.modules) {
            for (const host::MenuNode& node : module.nodes) {
                for (const host::MenuEntry& entry : node.entries) {
                    fuzz::Check(entry.key == host::ItemKey(module.title, node, entry.title),
                                "a key not formed by the key rule");
                    ++keys;
                }
            }
        }
    }
    fuzz::Check(tree.Keys().size() == keys, "Keys does not list every entry");

    host::MenuTree again;
    fuzz::Check(host::ParseMenuFile(fuzz::MenuFileText(tree), again, error),
                "the tree written back is refused");
    fuzz::Check(fuzz::Flattened(again) == fuzz::Flattened(tree),
                "the tree written back reads differently");
    return 0;
}
