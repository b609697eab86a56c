// The menu in a terminal.
#include "host/console/menu_browser.h"

#include <cstdio>
#include <vector>

namespace host {
namespace {

enum class Outcome { Stay, Back, Quit };

std::string ModuleLabel(const MenuModule& module) {
    return module.title + "  (" + module.moduleKey + ", " + std::to_string(module.moduleNumber) +
           ", " + module.caption + ")";
}

class Browser {
public:
    Browser(const Console& console, const BrowseActions& actions)
        : console_(console), actions_(actions) {}

    void Groups(const MenuTree& tree) {
        std::vector<std::string> labels;
        for (const MenuGroupBlock& group : tree.groups) labels.push_back(group.title);
        Menu("truvhost", labels, [&](std::size_t i) { return Modules(tree.groups[i]); });
    }

private:
    /// Shows a numbered menu until the user goes back or quits; Quit propagates upwards.
    Outcome Menu(const std::string& heading, const std::vector<std::string>& labels,
                 const std::function<Outcome(std::size_t)>& pick) {
        for (;;) {
            console_.Line("");
            console_.Line("== " + heading + "    [project folder: " + actions_.projectFolder() +
                          "]");
            for (std::size_t i = 0; i < labels.size(); ++i) {
                console_.Line("  " + std::to_string(i + 1) + ". " + labels[i]);
            }
            console_.Write(
                "number, /text = find, r = recent, d = change project folder, b = back, "
                "q = quit> ");
            std::fflush(stdout);
            std::string answer;
            if (!console_.ReadLine(answer) || answer == "q") return Outcome::Quit;
            if (answer == "b") return Outcome::Back;
            if (answer == "r") {
                if (Recent() == Outcome::Quit) return Outcome::Quit;
                continue;
            }
            if (answer.starts_with("/")) {
                if (Find(answer.substr(1)) == Outcome::Quit) return Outcome::Quit;
                continue;
            }
            if (answer == "d") {
                if (!ChangeFolder()) return Outcome::Quit;
                continue;
            }
            const std::size_t choice = Number(answer);
            if (choice == 0 || choice > labels.size()) {
                console_.Line("no such number: " + answer);
                continue;
            }
            if (pick(choice - 1) == Outcome::Quit) return Outcome::Quit;
        }
    }

    /// Asks for a folder and changes to it; an empty answer keeps the folder. False at the end
    /// of the input.
    bool ChangeFolder() {
        console_.Write("new project folder (empty: keep " + actions_.projectFolder() + ")> ");
        std::fflush(stdout);
        std::string folder;
        if (!console_.ReadLine(folder)) return false;
        std::string error;
        if (folder.empty()) return true;
        if (actions_.changeFolder(folder, error)) {
            console_.Line("project folder: " + actions_.projectFolder());
        } else {
            console_.Line(error);
        }
        return true;
    }

    static std::size_t Number(const std::string& text) {
        if (text.empty() || text.size() > 6 ||
            text.find_first_not_of("0123456789") != std::string::npos) {
            return 0;
        }
        return static_cast<std::size_t>(std::stoul(text));
    }

    Outcome Modules(const MenuGroupBlock& group) {
        std::vector<std::string> labels;
        for (const MenuModule& module : group.modules) labels.push_back(ModuleLabel(module));
        return Menu(group.title, labels, [&](std::size_t i) { return Nodes(group.modules[i]); });
    }

    Outcome Nodes(const MenuModule& module) {
        std::vector<std::string> labels;
        for (const MenuNode& node : module.nodes) {
            labels.push_back(node.isSubMenu ? node.subMenu + " >" : node.entries.front().title);
        }
        return Menu(module.title, labels, [&](std::size_t i) {
            const MenuNode& node = module.nodes[i];
            return node.isSubMenu ? SubMenu(node) : Run(node.entries.front());
        });
    }

    Outcome SubMenu(const MenuNode& node) {
        std::vector<std::string> labels;
        for (const MenuEntry& entry : node.entries) labels.push_back(entry.title);
        return Menu(node.subMenu, labels, [&](std::size_t i) { return Run(node.entries[i]); });
    }

    /// The recent picks as a numbered menu of their keys.
    Outcome Recent() {
        const std::vector<std::string> keys =
            actions_.recentKeys ? actions_.recentKeys() : std::vector<std::string>();
        if (keys.empty()) {
            console_.Line("no recent picks yet");
            return Outcome::Stay;
        }
        return Menu("recent picks", keys, [&](std::size_t i) {
            actions_.runItem(keys[i]);
            return Outcome::Stay;
        });
    }

    /// The items that match `text` as a numbered menu of their paths.
    Outcome Find(const std::string& text) {
        std::vector<const FindableItem*> found;
        if (actions_.findable != nullptr) found = FindItems(*actions_.findable, text);
        if (found.empty()) {
            console_.Line("no item matches " + text);
            return Outcome::Stay;
        }
        std::vector<std::string> labels;
        for (const FindableItem* item : found) labels.push_back(item->path);
        return Menu("find: " + text, labels, [&](std::size_t i) {
            actions_.runItem(found[i]->key);
            return Outcome::Stay;
        });
    }

    Outcome Run(const MenuEntry& entry) {
        actions_.runItem(entry.key);
        return Outcome::Stay;
    }

    const Console& console_;
    const BrowseActions& actions_;
};

}  // namespace

void PrintTree(const MenuTree& tree, const Console& console) {
    for (const MenuGroupBlock& group : tree.groups) {
        console.Line(group.title);
        for (const MenuModule& module : group.modules) {
            console.Line("  " + ModuleLabel(module));
            for (const MenuNode& node : module.nodes) {
                if (node.isSubMenu) console.Line("    " + node.subMenu + " >");
                const std::string indent = node.isSubMenu ? "      " : "    ";
                for (const MenuEntry& entry : node.entries) {
                    console.Line(indent + entry.title + "    key: " + entry.key);
                }
            }
        }
    }
}

void Browse(const MenuTree& tree, const Console& console, const BrowseActions& actions) {
    Browser(console, actions).Groups(tree);
}

}  // namespace host
