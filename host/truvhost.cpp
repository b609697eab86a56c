// truvhost: the reference host. It loads truvApp as the suite's host must, shows its menus
// in a terminal and runs items; it also checks an installation and explains items.
#include <cerrno>
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "host/checks/doctor.h"
#include "host/checks/explain.h"
#include "host/checks/installation.h"
#include "host/checks/menu_check.h"
#include "host/checks/menu_refresh.h"
#include "host/checks/trace_view.h"
#include "host/console/auto_ok.h"
#include "host/console/menu_browser.h"
#include "host/items/item_find.h"
#include "host/items/item_plan.h"
#include "host/items/menu_file_reader.h"
#include "host/items/recent_picks.h"
#include "host/shared/console_text.h"
#include "host/shared/file_bytes.h"
#include "host/shared/host_system.h"
#include "host/shared/plugin_loader.h"
#include "host/shared/project_folder.h"
#include "host/shared/version.h"
#include "host/window/window_host.h"
#include "plugin/inspect.h"

namespace {

// clang-format off
constexpr int kExitProblem   = 1;  // the host could not do what was asked
constexpr int kExitUsage     = 2;  // the command line is not understood
constexpr int kExitBox       = 3;  // run: the item showed a message box
constexpr int kExitNoOutput  = 4;  // standard output could not be written
// clang-format on
constexpr std::size_t kKeysPerProblem = 12;

constexpr const char* kUsage =
    "usage: truvhost [--gbk] [--auto-ok] [list | find TEXT | run KEY | doctor | explain KEY |\n"
    "                window [DIR] |\n"
    "                menu [--refresh] [DIR] | trace FILE [--key KEY] [--since TIME] | --version | "
    "--help]\n"
    "  (no command)  the menu as numbered lists: pick a number, /TEXT = find, r = recent,\n"
    "                d = change project folder, b = back, q = quit\n"
    "  list          the menu tree with every item's key\n"
    "  find TEXT     the items whose title, module, program or pinyin initials hold TEXT\n"
    "  run KEY       runs one item (KEY: module title|item title)\n"
    "  doctor        checks the installation: registry value, CFGPATH, keys, programs, PATH,\n"
    "                and menu.txt against the current menu\n"
    "  explain KEY   tells what an item would do, without starting anything\n"
    "  window [DIR]  the menu bar in a window (Windows), project folder DIR\n"
    "  menu [DIR]    checks DIR's menu.txt (default: beside truvhost) against the current menu\n"
    "  menu --refresh [DIR]  replaces it with the current menu, keeping the old as menu.txt.bak\n"
    "                (menu.txt.bak2, ... when taken); a current file is left as it is\n"
    "  trace FILE    the launch trace that TRUVAPP_TRACE=FILE recorded, in words; only the\n"
    "                calls of KEY, or from TIME on (HH:MM, or YYYY-MM-DD HH:MM)\n"
    "  --version     the host's version and that of the plug-in it loads\n"
    "  --gbk         raw GBK in and out instead of UTF-8\n"
    "  --auto-ok     message boxes are printed and acknowledged without waiting\n"
    "exit codes: 0 done; 1 a problem (the plug-in or its menu file cannot be loaded, no item\n"
    "  has the key, doctor found problems, an internal error); 2 usage; 3 run: the item\n"
    "  showed a message box (a failure, or that nothing was started); 4 standard output\n"
    "  could not be written (without a message when its reader closed the pipe early)\n";

struct Options {
    bool rawGbk = false;
    bool autoOk = false;
    std::vector<std::string> words;  // the command and its arguments, GBK (keys, titles)
    std::vector<std::string> paths;  // the same words as path names of this system
};

bool IsOption(const std::string& word) {
    return word == "--gbk" || word == "--auto-ok" || word == "--utf8";
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--gbk") options.rawGbk = true;
        if (word == "--auto-ok") options.autoOk = true;
    }
    const std::vector<std::string> words = host::sys::CommandArguments(argc, argv, options.rawGbk);
    const std::vector<std::string> paths = host::sys::PathArguments(argc, argv);
    for (std::size_t i = 0; i < words.size() && i < paths.size(); ++i) {
        if (IsOption(words[i])) continue;
        options.words.push_back(words[i]);
        options.paths.push_back(paths[i]);
    }
    return options;
}

/// The folder of the host's executable; empty when the system cannot tell it (POSIX without
/// /proc), for the current folder, which is the project's, must never stand in for it.
std::string HostDirectory() {
    const std::string path = os::HostExecutablePath();
    const std::size_t separator = host::sys::LastSeparator(path);
    return separator == std::string::npos ? "" : path.substr(0, separator);
}

/// Where the plug-in writes the menu file for this host; empty when it writes none because
/// the host's folder cannot be told (the plug-in's own rule: a path without a folder).
std::string HostMenuFile() {
    const std::string path = MenuFilePath(os::HostExecutablePath());
    return path == kMenuFileName ? "" : path;
}

constexpr const char* kNoHostFolder =
    "the host's own folder cannot be told (is /proc mounted?): the plug-in then writes no "
    "menu.txt, and nothing is read from or written to the current folder in its place";

std::string MenuFile(const std::string& dir) {
    return host::sys::Join(dir, kMenuFileName);
}

class Host {
public:
    explicit Host(const Options& options) : options_(options), console_(options.rawGbk) {
        if (options.autoOk) host::AcknowledgeBoxes(console_);
    }

    int Main() {
        const std::vector<std::string>& words = options_.words;
        const std::string command = words.empty() ? std::string() : words[0];
        if (command == "doctor" && words.size() == 1) return Judged() ? Doctor() : kExitProblem;
        if (command == "--version" && words.size() == 1) return Version();
        if (command == "explain" && words.size() == 2) {
            return Judged() ? Explain(words[1]) : kExitProblem;
        }
        if (command == "trace" && words.size() >= 2) return Trace(words, options_.paths[1]);
        if (command == "menu" && words.size() <= 3) return Judged() ? Menu(words) : kExitProblem;
        if (command == "run" && words.size() == 2) return Start() ? RunKey(words[1]) : kExitProblem;
        if (command == "list" && words.size() == 1) return Start() ? List() : kExitProblem;
        if (command == "find" && words.size() == 2) return Start() ? Find(words[1]) : kExitProblem;
        if (command.empty()) return Start() ? Interactive() : kExitProblem;
        if (command == "window" && words.size() <= 2) {
            if (HostDirectory().empty()) return NoHostFolder();
            return host::RunWindowHost(HostDirectory(), words.size() == 2 ? options_.paths[1] : "",
                                       host::RecentFolder(options_.autoOk), console_);
        }
        if ((command == "--help" || command == "-h") && words.size() == 1) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }

private:
    int NoHostFolder() {
        console_.Line(std::string("truvhost: ") + kNoHostFolder);
        return kExitProblem;
    }

    /// doctor, explain and menu judge with the rules compiled into truvhost: false, having
    /// said so, when the library beside it is of another version.
    bool Judged() {
        const std::string dir = HostDirectory();
        if (dir.empty()) return true;  // each command says the folder cannot be told
        const std::string mismatch =
            host::RulesMismatch(host::sys::Join(dir, host::Plugin::FileName()));
        if (!mismatch.empty()) console_.Line("truvhost: " + mismatch);
        return mismatch.empty();
    }

    /// Loads the plug-in from the host's directory, initialises it and reads its menu file.
    bool Start() {
        const std::string dir = HostDirectory();
        if (dir.empty()) {
            NoHostFolder();
            return false;
        }
        std::string error;
        if (!plugin_.Load(dir, error)) {
            console_.Line("truvhost: " + error);
            return false;
        }
        plugin_.Init();
        if (!host::ReadMenuFile(MenuFile(dir), tree_, error)) {
            console_.Line("truvhost: " + host::sys::PathText(MenuFile(dir)) + ": " + error);
            return false;
        }
        return true;
    }

    int Version() {
        console_.Line("truvhost " + host::HostVersion());
        if (HostDirectory().empty()) return NoHostFolder();
        std::string error;
        if (!plugin_.Load(HostDirectory(), error)) {
            console_.Line("truvhost: " + error);
            return kExitProblem;
        }
        const std::string version = host::LibraryVersion(plugin_.Path());
        console_.Line(host::Plugin::FileName() + " " +
                      (version.empty() ? "(no version)" : version) + " " + plugin_.Path());
        return version.empty() ? kExitProblem : 0;
    }

    int List() {
        host::PrintTree(tree_, console_);
        return 0;
    }

    /// `run KEY`: an entry of the menu file, or the drawing-management key.
    int RunKey(const std::string& key) {
        if (key != kManagerKey && !tree_.HasKey(key)) {
            console_.Line("truvhost: no entry of the menu has the key " + key + "; nothing run");
            return kExitProblem;
        }
        return RunItem(key);
    }

    /// Runs an item; kExitBox when it showed a message box, which always reports a failure or
    /// that nothing was started.
    int RunItem(const std::string& key) {
        console_.Line(">> " + key);
        host::CountBoxes();
        plugin_.Run(key);
        const int boxes = host::BoxesShown();
        console_.Line("<< " + key + " finished" +
                      (boxes > 0 ? ", " + std::to_string(boxes) + " message box(es)" : ""));
        return boxes > 0 ? kExitBox : 0;
    }

    int Interactive() {
        const std::vector<host::FindableItem> findable = Findable();
        host::RecentPicks recent(host::RecentFolder(options_.autoOk), tree_);
        host::Browse(tree_, console_,
                     {[&](const std::string& key) {
                          recent.Note(key);
                          RunItem(key);
                      },
                      host::ProjectFolder, host::ChangeProjectFolder, &findable,
                      [&] { return recent.Keys(); }});
        return 0;
    }

    std::vector<host::FindableItem> Findable() const {
        MenuCatalog catalog;
        BuildMenuGroups(catalog);
        return host::FindableItems(tree_, catalog);
    }

    /// `find TEXT`: the matching items with their keys; a problem when none matches.
    int Find(const std::string& text) {
        const std::vector<host::FindableItem> findable = Findable();
        const std::vector<const host::FindableItem*> found = host::FindItems(findable, text);
        for (const host::FindableItem* item : found) {
            console_.Line(item->path + "    key: " + item->key);
        }
        if (found.empty()) console_.Line("no item matches " + text);
        return found.empty() ? kExitProblem : 0;
    }

    int Doctor() {
        MenuCatalog catalog;
        const GroupBounds bounds = BuildMenuGroups(catalog);
        host::DoctorReport report =
            host::Examine(host::ReadInstallation(), host::PlanCatalogue(catalog));
        AddMenuCheck(catalog, bounds, report);
        for (const std::string& line : host::FormatReport(report, kKeysPerProblem)) {
            console_.Line(line);
        }
        return report.problems.empty() ? 0 : kExitProblem;
    }

    /// The facts and problems of "menu.txt" at `path`, against the current menu.
    static void AddMenuCheck(const MenuCatalog& catalog, const GroupBounds& bounds,
                             host::DoctorReport& report, const std::string& path = HostMenuFile()) {
        if (path.empty()) {
            report.problems.push_back({kNoHostFolder, {}});
            return;
        }
        const host::MenuFileCheck check = host::CheckMenuFile(path, catalog, bounds);
        report.facts.insert(report.facts.end(), check.facts.begin(), check.facts.end());
        report.problems.insert(report.problems.end(), check.problems.begin(), check.problems.end());
    }

    /// `menu [--refresh] [DIR]`: the check of DIR's "menu.txt" (by default the one beside
    /// truvhost, where the plug-in writes it for this host), or its refresh.
    int Menu(const std::vector<std::string>& words) {
        bool refresh = false;
        std::string dir;
        for (std::size_t i = 1; i < words.size(); ++i) {
            if (words[i] == "--refresh" && !refresh) {
                refresh = true;
            } else if (dir.empty() && !words[i].starts_with("--")) {
                dir = options_.paths[i];
            } else {
                std::fputs(kUsage, stderr);
                return kExitUsage;
            }
        }
        MenuCatalog catalog;
        const GroupBounds bounds = BuildMenuGroups(catalog);
        const std::string path = dir.empty() ? HostMenuFile() : MenuFile(dir);
        if (path.empty()) return NoHostFolder();
        if (refresh) return Refresh(path, MenuFileText(catalog, bounds), catalog.Count());
        host::DoctorReport report;
        AddMenuCheck(catalog, bounds, report, path);
        std::vector<std::string> lines = host::FormatReport(report, kKeysPerProblem);
        lines.pop_back();  // the count of items and starts, which this check does not examine
        for (const std::string& line : lines) console_.Line(line);
        return report.problems.empty() ? 0 : kExitProblem;
    }

    int Refresh(const std::string& path, const std::string& current, int items) {
        const host::RefreshResult result = host::RefreshMenuFile(path, current);
        const std::string shown = host::sys::PathText(path);
        const std::string menu = "the current menu of " + std::to_string(items) + " items";
        switch (result.outcome) {
            case host::RefreshOutcome::kAlreadyCurrent:
                console_.Line(shown + " already holds " + menu + "; nothing was changed.");
                return 0;
            case host::RefreshOutcome::kWritten:
            case host::RefreshOutcome::kReplaced:
                console_.Line(shown + " holds " + menu +
                              (result.backup.empty() ? std::string()
                                                     : "; the old file is kept as " +
                                                           host::sys::PathText(result.backup)) +
                              ". Restart the host to see the menu.");
                return 0;
            case host::RefreshOutcome::kFailed:
                break;
        }
        console_.Line("truvhost: " + result.error);
        return kExitProblem;
    }

    /// `trace FILE [--key KEY] [--since TIME]`.
    int Trace(const std::vector<std::string>& words, const std::string& file) {
        host::TraceFilter filter;
        if (!host::ParseTraceFilter({words.begin() + 2, words.end()}, filter)) {
            std::fputs(kUsage, stderr);
            return kExitUsage;
        }
        std::string error;
        // Written without a flush per line: a trace may hold millions, and starts nothing.
        const host::ShowLine show = [this](const std::string& line) {
            console_.Write(line + "\n");
        };
        if (!host::ShowTraceFile(file, filter, host::kTraceTailLimit, show, error)) {
            console_.Line("truvhost: " + host::sys::PathText(file) + " " + error);
            return kExitProblem;
        }
        return 0;
    }

    int Explain(const std::string& key) {
        MenuCatalog catalog;
        BuildMenuGroups(catalog);
        host::ItemPlan plan;
        bool found = key == kManagerKey;
        if (found) plan = host::ManagerPlan();
        for (int i = 0; i < catalog.Count() && !found; ++i) {
            if (host::KeyOf(catalog.ItemAt(i)) != key) continue;
            plan = host::PlanItem(catalog.ItemAt(i));
            found = true;
        }
        if (!found) {
            console_.Line("no item has the key " + key + " (RunCommand does nothing for it)");
            return kExitProblem;
        }
        const std::string workDir = os::CurrentDirectory().value_or("");
        for (const std::string& line : host::ExplainPlan(plan, host::ReadInstallation(), workDir)) {
            console_.Line(line);
        }
        return 0;
    }

    const Options& options_;
    host::Console console_;
    host::Plugin plugin_;
    host::MenuTree tree_;
};

}  // namespace

// Standard output lost (closed, a full disk) is a failure of any command: what it was to
// tell reached nobody. A reader that closed the pipe early (`| head`) is told nothing more.
int main(int argc, char** argv) {
    const bool outputOpen = host::sys::PrepareStandardOutput();
    int code = kExitProblem;
    try {
        const Options options = ParseOptions(argc, argv);
        code = Host(options).Main();
    } catch (const std::bad_alloc&) {
        std::fputs("truvhost: out of memory\n", stderr);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "truvhost: internal error: %s\n", failure.what());
    } catch (...) {
        std::fputs("truvhost: internal error\n", stderr);
    }
    errno = 0;
    const bool outputWritten = host::FlushStandardOutput();
    if (!outputOpen || !outputWritten) {
        if (!host::ReaderClosedStandardOutput()) {
            std::fputs("truvhost: standard output could not be written\n", stderr);
        }
        return code == 0 ? kExitNoOutput : code;
    }
    return code;
}
