// The window host's menus as data.
#include "host/window/window_menu.h"

namespace host {
namespace {

MenuBarItem Entry(const MenuEntry& entry, unsigned& nextCommand) {
    MenuBarItem item;
    item.label = MenuLabel(entry.title);
    item.key = entry.key;
    item.command = nextCommand++;
    return item;
}

}  // namespace

std::string MenuLabel(const std::string& text) {
    // '&' is never the trail byte of a GBK character (trail bytes start at 0x40).
    std::string label;
    for (char c : text) {
        label += c;
        if (c == '&') label += '&';
    }
    return label;
}

std::vector<MenuBarItem> BuildMenuBar(const MenuTree& tree) {
    unsigned nextCommand = kFirstEntryCommand;
    std::vector<MenuBarItem> bar;
    for (const MenuGroupBlock& group : tree.groups) {
        MenuBarItem groupMenu{MenuLabel(group.title), "", "", 0, {}};
        for (const MenuModule& module : group.modules) {
            MenuBarItem moduleMenu{MenuLabel(module.title), module.caption, "", 0, {}};
            for (const MenuNode& node : module.nodes) {
                if (!node.isSubMenu) {
                    moduleMenu.children.push_back(Entry(node.entries.front(), nextCommand));
                    continue;
                }
                MenuBarItem subMenu{MenuLabel(node.subMenu), "", "", 0, {}};
                for (const MenuEntry& entry : node.entries) {
                    subMenu.children.push_back(Entry(entry, nextCommand));
                }
                moduleMenu.children.push_back(subMenu);
            }
            groupMenu.children.push_back(moduleMenu);
        }
        bar.push_back(groupMenu);
    }
    return bar;
}

}  // namespace host
