// The check of "menu.txt" against the menu this plug-in writes.
#include "host/checks/menu_check.h"

#include <algorithm>
#include <string_view>

#include "host/checks/menu_refresh.h"
#include "host/items/menu_file_reader.h"
#include "host/platform/exit_codes.h"
#include "host/platform/file_bytes.h"
#include "host/platform/host_system.h"
#include "host/plugin/host_folder.h"
#include "plugin/inspect.h"

namespace host {
namespace {

constexpr int kClosingLines = 2;  // the separator and the empty title that end every menu file

/// The last `count` lines of `text`, each with its line end.
std::string_view LastLines(std::string_view text, int count) {
    std::size_t start = text.size();
    for (int found = 0; start > 0; ++found) {
        const std::size_t newline = text.rfind('\n', start - 1);
        if (newline == std::string_view::npos) break;
        if (found == count) return text.substr(newline + 1);
        start = newline;
    }
    return text;
}

/// The last `count` lines of `text` without their carriage returns.
std::string LastLinesWithoutCr(std::string_view text, int count) {
    std::string lines(LastLines(text, count));
    std::erase(lines, '\r');
    return lines;
}

std::vector<std::string> Without(const std::vector<std::string>& keys,
                                 const std::vector<std::string>& present) {
    std::vector<std::string> rest;
    for (const std::string& key : keys) {
        if (std::find(present.begin(), present.end(), key) == present.end()) rest.push_back(key);
    }
    return rest;
}

class MenuChecker {
public:
    MenuChecker(const std::string& path, const std::string& current, MenuFileCheck& check)
        : path_(path),
          shown_(path),
          refresh_(RefreshAdvice(path)),
          current_(current),
          check_(check) {}

    void Check(const MenuCatalog& catalog) {
        std::string bytes;
        std::string error;
        if (!os::PatternExists(path_)) {
            Problem("menu.txt does not exist at " + shown_ +
                    ": the host has no menus until the plug-in writes it at the host's next "
                    "start, which needs write access to that folder. `truvhost menu --refresh` "
                    "writes it now.");
            return;
        }
        if (!ReadFileBytes(path_, kMenuFileLimit, bytes, error)) {
            Problem("menu.txt at " + shown_ + " " + error + ": the host cannot show its menus." +
                    refresh_);
            return;
        }
        check_.facts.push_back("menu.txt: " + shown_ + " (" + std::to_string(bytes.size()) +
                               " bytes)");
        if (bytes.empty()) {
            Problem(
                "menu.txt is empty: the host shows no menus until the plug-in writes it anew at "
                "the host's next start, which needs write access to that folder." +
                refresh_);
            return;
        }
        if (bytes == current_) {
            check_.facts.push_back("menu.txt is the menu this plug-in writes");
            return;
        }
        Compare(bytes, catalog);
    }

private:
    void Compare(const std::string& bytes, const MenuCatalog& catalog) {
        MenuTree file;
        MenuTree menu;
        std::string fileError;
        std::string ignored;
        const bool wellFormed = ParseMenuFile(bytes, file, fileError);
        ParseMenuFile(current_, menu, ignored);
        const bool closed =
            LastLinesWithoutCr(bytes, kClosingLines) == LastLinesWithoutCr(current_, kClosingLines);
        if (!wellFormed && !closed) {
            Problem("menu.txt is cut short (" + std::to_string(bytes.size()) +
                    " bytes, where the " + "current menu has " + std::to_string(current_.size()) +
                    "; " + fileError +
                    "): the menus after that point are missing, perhaps after a full disk or an "
                    "interrupted copy." +
                    refresh_);
        } else if (!wellFormed) {
            Problem("menu.txt is damaged (" + fileError +
                    "): the host may show no menus or only part of them." + refresh_);
        }
        const std::vector<std::string> fileKeys = file.Keys();
        const std::vector<std::string> lacking = Without(menu.Keys(), fileKeys);
        std::vector<std::string> dead;
        std::copy_if(fileKeys.begin(), fileKeys.end(), std::back_inserter(dead),
                     [&](const std::string& key) {
                         return key != kManagerKey && FindItem(catalog, key) == nullptr;
                     });
        if (!lacking.empty()) {
            Problem("menu.txt lacks " + std::to_string(lacking.size()) +
                        " items of this plug-in: they are not in the host's menus (a menu.txt "
                        "from an earlier version stays, the plug-in never rewrites it)." +
                        refresh_,
                    lacking);
        }
        if (!dead.empty()) {
            Problem("menu.txt has " + std::to_string(dead.size()) +
                        " entries that no row of this plug-in answers: picking them does "
                        "nothing." +
                        refresh_,
                    dead);
        }
        if (wellFormed && lacking.empty() && dead.empty()) {
            Problem(
                "menu.txt differs from the menu this plug-in writes, with the same items: "
                "their order, sub-menus or module lines differ." +
                refresh_);
        }
    }

    void Problem(std::string text, std::vector<std::string> keys = {}) {
        check_.problems.push_back({std::move(text), std::move(keys)});
    }

    const std::string& path_;
    const std::string shown_;    // the path as the console shows it
    const std::string refresh_;  // what to do about a file that is not the current menu
    const std::string& current_;
    MenuFileCheck& check_;
};

}  // namespace

MenuFileCheck CheckMenuFile(const std::string& path, const MenuCatalog& catalog,
                            const GroupBounds& bounds) {
    MenuFileCheck check;
    const std::string current = MenuFileText(catalog, bounds);
    MenuChecker(path, current, check).Check(catalog);
    return check;
}

namespace {

int Refresh(const Console& console, const std::string& path, const std::string& current,
            int items) {
    const RefreshResult result = RefreshMenuFile(path, current);
    const std::string shown = path;
    const std::string menu = "the current menu of " + std::to_string(items) + " items";
    switch (result.outcome) {
        case RefreshOutcome::kAlreadyCurrent:
            console.Line(shown + " already holds " + menu + "; nothing was changed.");
            return kExitDone;
        case RefreshOutcome::kWritten:
        case RefreshOutcome::kReplaced:
            console.Line(shown + " holds " + menu +
                         (result.backup.empty() ? std::string()
                                                : "; the old file is kept as " + result.backup) +
                         ". Restart the host to see the menu.");
            if (!result.notice.empty()) console.Line("truvhost: " + result.notice);
            return kExitDone;
        case RefreshOutcome::kFailed:
            break;
    }
    console.Line("truvhost: " + result.error);
    return kExitProblem;
}

}  // namespace

int MenuCommand(const Console& console, const std::vector<std::string>& arguments,
                const std::vector<std::string>& paths) {
    bool refresh = false;
    std::string dir;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--refresh" && !refresh) {
            refresh = true;
        } else if (dir.empty() && !arguments[i].starts_with("--") && i < paths.size()) {
            dir = paths[i];
        } else {
            return kExitUsage;
        }
    }
    MenuCatalog catalog;
    const GroupBounds bounds = BuildMenuGroups(catalog);
    const std::string path = dir.empty() ? HostMenuFile() : sys::Join(dir, kMenuFileName);
    if (path.empty()) {
        console.Line(std::string("truvhost: ") + kNoHostFolder);
        return kExitProblem;
    }
    if (refresh) return Refresh(console, path, MenuFileText(catalog, bounds), catalog.Count());
    DoctorReport report;
    AddMenuCheck(catalog, bounds, path, report);
    std::vector<std::string> lines = FormatReport(report, kKeysPerProblem);
    lines.pop_back();  // the count of items and starts, which this check does not examine
    for (const std::string& line : lines) console.Line(line);
    return report.problems.empty() ? kExitDone : kExitProblem;
}

}  // namespace host
