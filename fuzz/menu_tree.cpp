// The host's menu tree written back as menu-file text and flattened for comparison.
#include "menu_tree.h"

namespace fuzz {
namespace {
constexpr const char* kSeparator = "===========================\r\n";

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}
}  // namespace

std::string MenuFileText(const host::MenuTree& tree) {
    std::string text;
    for (const host::MenuGroupBlock& group : tree.groups) {
        text += kSeparator + group.title + "\r\n";
        for (const host::MenuModule& module : group.modules) {
            text += kSeparator;
            text += "module=" + Quoted(module.title) + "," + Quoted(module.moduleKey) + "," +
                    std::to_string(module.moduleNumber) + "\r\n";
            text += "title=" + Quoted(module.caption) + "\r\n";
            for (const host::MenuNode& node : module.nodes) {
                if (node.isSubMenu) text += "menu=" + Quoted(node.subMenu) + "\r\n";
                for (const host::MenuEntry& entry : node.entries) {
                    text += "app=" + Quoted(entry.title) + "\r\n";
                }
                if (node.isSubMenu) text += "menuend\r\n";
            }
        }
    }
    return text + kSeparator + "\r\n";
}

std::string Flattened(const host::MenuTree& tree) {
    std::string text;
    for (const host::MenuGroupBlock& group : tree.groups) {
        text += "group " + group.title + "\n";
        for (const host::MenuModule& module : group.modules) {
            text += "module " + module.title + "\n key " + module.moduleKey + "\n number " +
                    std::to_string(module.moduleNumber) + "\n caption " + module.caption + "\n";
            for (const host::MenuNode& node : module.nodes) {
                text += node.isSubMenu ? " menu " + node.subMenu + "\n" : " plain\n";
                for (const host::MenuEntry& entry : node.entries) {
                    text += "  app " + entry.title + "\n  key " + entry.key + "\n";
                }
            }
        }
    }
    return text;
}

}  // namespace fuzz
