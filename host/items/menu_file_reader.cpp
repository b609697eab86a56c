// Reading "menu.txt" as a host does.
#include "host/items/menu_file_reader.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "host/platform/file_bytes.h"
#include "plugin/inspect.h"

namespace host {
namespace {

constexpr std::string_view kSeparator = "===========================";
constexpr std::string_view kModulePrefix = "module=\"";
constexpr std::string_view kTitlePrefix = "title=\"";
constexpr std::string_view kAppPrefix = "app=\"";
constexpr std::string_view kMenuPrefix = "menu=\"";
constexpr std::string_view kMenuEnd = "menuend";

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

bool StartsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

/// The text between `prefix` (which ends in a quote) and the line's last quote.
std::optional<std::string> QuotedValue(std::string_view line, std::string_view prefix) {
    if (!StartsWith(line, prefix) || line.size() <= prefix.size() || line.back() != '"') {
        return std::nullopt;
    }
    return std::string(line.substr(prefix.size(), line.size() - prefix.size() - 1));
}

/// A module line, or what was expected where it went wrong.
struct ModuleLine {
    std::optional<MenuModule> module;
    std::string problem;  ///< what was expected, and what was found
};

constexpr const char* kModuleLineExpected = "module=\"TITLE\",\"KEY\",NUMBER expected";

/// module="TITLE","KEY",NUMBER: the key holds no quote, so the last "," ends the title.
ModuleLine ParseModuleLine(std::string_view line) {
    const std::size_t comma = line.rfind(',');
    if (comma == std::string_view::npos || comma < 1 || line[comma - 1] != '"') {
        return {std::nullopt, kModuleLineExpected};
    }
    const std::size_t keyStart = line.rfind("\",\"", comma - 1);
    if (keyStart == std::string_view::npos || keyStart < kModulePrefix.size()) {
        return {std::nullopt, kModuleLineExpected};
    }
    const std::string_view number = line.substr(comma + 1);
    MenuModule module;
    const char* const end = number.data() + number.size();
    const auto [stop, failure] = std::from_chars(number.data(), end, module.moduleNumber);
    if (number.empty() || failure != std::errc() || stop != end) {
        const std::string found = "\"" + std::string(number) + "\"";
        return {
            std::nullopt,
            "a module number (a whole number in int range) expected after the key, found " + found};
    }
    module.title = std::string(line.substr(kModulePrefix.size(), keyStart - kModulePrefix.size()));
    module.moduleKey = std::string(line.substr(keyStart + 3, comma - 1 - (keyStart + 3)));
    return {std::move(module), {}};
}

class Parser {
public:
    Parser(std::vector<std::string> lines, MenuTree& tree, std::string& error)
        : lines_(std::move(lines)), tree_(tree), error_(error) {}

    bool Run() {
        while (position_ < lines_.size()) {
            if (closed_) {
                if (!lines_[position_].empty()) return Fail("text after the closing block");
                ++position_;
                continue;
            }
            if (lines_[position_] != kSeparator) return Fail("separator line expected");
            ++position_;
            const bool ok =
                position_ < lines_.size() && StartsWith(lines_[position_], kModulePrefix)
                    ? ModuleBlock()
                    : GroupLine();
            if (!ok) return false;
        }
        if (!closed_) return Fail("the closing block is missing");
        return true;
    }

private:
    bool Fail(const std::string& what) {
        error_ = "line " + std::to_string(position_ + 1) + ": " + what;
        return false;
    }

    bool GroupLine() {
        const std::string title = position_ < lines_.size() ? lines_[position_] : std::string();
        ++position_;
        if (title.empty()) {
            closed_ = true;
        } else {
            tree_.groups.push_back({title, {}});
        }
        return true;
    }

    bool ModuleBlock() {
        if (tree_.groups.empty()) return Fail("module before the first group");
        ModuleLine parsed = ParseModuleLine(lines_[position_]);
        if (!parsed.module) return Fail(parsed.problem);
        std::optional<MenuModule>& module = parsed.module;
        ++position_;
        std::optional<std::string> caption =
            position_ < lines_.size() ? QuotedValue(lines_[position_], kTitlePrefix) : std::nullopt;
        if (!caption) return Fail("title line expected");
        module->caption = *caption;
        ++position_;
        if (!Entries(*module)) return false;
        tree_.groups.back().modules.push_back(std::move(*module));
        return true;
    }

    bool Entries(MenuModule& module) {
        bool inSubMenu = false;
        for (; position_ < lines_.size() && lines_[position_] != kSeparator; ++position_) {
            const std::string& line = lines_[position_];
            if (std::optional<std::string> app = QuotedValue(line, kAppPrefix)) {
                if (!inSubMenu) module.nodes.push_back({});
                MenuNode& node = module.nodes.back();
                node.entries.push_back({*app, ItemKey(module.title, node, *app)});
            } else if (std::optional<std::string> menu = QuotedValue(line, kMenuPrefix)) {
                if (inSubMenu) return Fail("sub-menu inside a sub-menu");
                module.nodes.push_back({true, *menu, {}});
                inSubMenu = true;
            } else if (line == kMenuEnd) {
                if (!inSubMenu) return Fail("menuend outside a sub-menu");
                inSubMenu = false;
            } else {
                return Fail("entry line expected");
            }
        }
        if (inSubMenu) return Fail("sub-menu without menuend");
        return true;
    }

    std::vector<std::string> lines_;
    MenuTree& tree_;
    std::string& error_;
    std::size_t position_ = 0;
    bool closed_ = false;
};

}  // namespace

std::vector<std::string> MenuTree::Keys() const {
    std::vector<std::string> keys;
    for (const MenuGroupBlock& group : groups) {
        for (const MenuModule& module : group.modules) {
            for (const MenuNode& node : module.nodes) {
                for (const MenuEntry& entry : node.entries) keys.push_back(entry.key);
            }
        }
    }
    return keys;
}

bool MenuTree::HasKey(const std::string& key) const {
    for (const std::string& each : Keys()) {
        if (each == key) return true;
    }
    return false;
}

std::string ItemKey(const std::string& moduleTitle, const MenuNode& node,
                    const std::string& entry) {
    return ComposeKey(moduleTitle, node.isSubMenu ? node.subMenu + "_" + entry : entry);
}

bool ParseMenuFile(const std::string& bytes, MenuTree& tree, std::string& error) {
    tree = {};
    return Parser(SplitLines(bytes), tree, error).Run();
}

bool ReadMenuFile(const std::string& path, MenuTree& tree, std::string& error) {
    tree = {};
    std::string bytes;
    return ReadFileBytes(path, kMenuFileLimit, bytes, error) && ParseMenuFile(bytes, tree, error);
}

}  // namespace host
