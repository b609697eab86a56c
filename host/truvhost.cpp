// truvhost: the reference host. It loads truvApp as the suite's host must, shows its menus
// in a terminal and runs items; it also checks an installation and explains items.
#include <cerrno>
#include <cstdio>
#include <exception>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "host/checks/doctor.h"
#include "host/checks/explain.h"
#include "host/checks/menu_check.h"
#include "host/checks/trace_view.h"
#include "host/console/auto_ok.h"
#include "host/console/menu_browser.h"
#include "host/items/item_find.h"
#include "host/items/menu_file_reader.h"
#include "host/items/recent_picks.h"
#include "host/platform/console_text.h"
#include "host/platform/exit_codes.h"
#include "host/platform/host_system.h"
#include "host/platform/project_folder.h"
#include "host/plugin/host_folder.h"
#include "host/plugin/plugin_loader.h"
#include "host/plugin/version.h"
#include "host/window/window_host.h"
#include "plugin/inspect.h"

namespace {

using host::kExitDone;
using host::kExitProblem;
using host::kExitUsage;

constexpr const char* kUsage =
    "usage: truvhost [--gbk] [--auto-ok] [--lang en|zh] [list | find TEXT | run KEY | doctor | "
    "explain KEY |\n"
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
    "  --lang en|zh  the window's language (default: the user's; the console speaks English)\n"
    "exit codes: 0 done; 1 a problem (the plug-in or its menu file cannot be loaded, no item\n"
    "  has the key, doctor found problems, an internal error); 2 usage; 3 run: the item\n"
    "  showed a message box (a failure, or that nothing was started); 4 standard output\n"
    "  could not be written (without a message when its reader closed the pipe early)\n";

struct Options {
    bool rawGbk = false;
    bool autoOk = false;
    std::optional<host::WindowLanguage> language;  // --lang: the window's
    bool badLanguage = false;                      // --lang without "en" or "zh"
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
    const std::vector<std::string> paths = host::sys::PathArguments(argc, argv, options.rawGbk);
    for (std::size_t i = 0; i < words.size() && i < paths.size(); ++i) {
        if (IsOption(words[i])) continue;
        if (words[i] == "--lang") {
            options.language =
                i + 1 < words.size() ? host::ParseLanguage(words[++i]) : std::nullopt;
            options.badLanguage = !options.language;
            continue;
        }
        options.words.push_back(words[i]);
        options.paths.push_back(paths[i]);
    }
    return options;
}

/// What the commands share: the options, the console, the plug-in and its menu once loaded.
struct Session {
    explicit Session(const Options& given) : options(given), console(given.rawGbk) {
        if (options.autoOk) host::AcknowledgeBoxes(console);
    }

    /// The words after the command's `skip` first ones: as texts, and as path names.
    std::vector<std::string> Words(std::size_t skip) const {
        return {options.words.begin() + static_cast<std::ptrdiff_t>(skip), options.words.end()};
    }
    std::vector<std::string> Paths(std::size_t skip) const {
        return {options.paths.begin() + static_cast<std::ptrdiff_t>(skip), options.paths.end()};
    }

    const Options& options;
    host::Console console;
    host::Plugin plugin;
    host::MenuTree tree;
};

int NoHostFolder(const Session& session) {
    session.console.Line(std::string("truvhost: ") + host::kNoHostFolder);
    return kExitProblem;
}

/// doctor, explain and menu judge with the rules compiled into truvhost: false, having said
/// so, when the library beside it is of another version.
bool SameRules(const Session& session) {
    const std::string dir = host::HostDirectory();
    if (dir.empty()) return true;  // each command says the folder cannot be told
    const std::string mismatch =
        host::RulesMismatch(host::sys::Join(dir, host::Plugin::FileName()));
    if (!mismatch.empty()) session.console.Line("truvhost: " + mismatch);
    return mismatch.empty();
}

/// Loads the plug-in from the host's directory, initialises it and reads its menu file.
bool LoadMenu(Session& session) {
    const std::string dir = host::HostDirectory();
    if (dir.empty()) {
        NoHostFolder(session);
        return false;
    }
    std::string error;
    if (!session.plugin.Load(dir, error)) {
        session.console.Line("truvhost: " + error);
        return false;
    }
    session.plugin.Init();
    const std::string menuFile = host::sys::Join(dir, kMenuFileName);
    if (!host::ReadMenuFile(menuFile, session.tree, error)) {
        session.console.Line("truvhost: " + menuFile + ": " + error);
        return false;
    }
    return true;
}

/// Runs an item; kExitBox when it showed a message box, which always reports a failure or
/// that nothing was started.
/// Whether the plug-in's menu, as this installation builds it, has an item of `key`: the
/// plug-in passes over a key it does not know without a word.
bool CatalogueHasKey(const std::string& key) {
    MenuCatalog catalog;
    BuildMenuGroups(catalog);
    return FindItem(catalog, key) != nullptr;
}

int RunItem(const Session& session, const std::string& key) {
    if (key != kManagerKey && !CatalogueHasKey(key)) {
        session.console.Line("truvhost: " + key +
                             " is an entry of the menu file but no item of the plug-in's menu: the "
                             "file is out of date (truvhost menu --refresh); nothing run");
        return kExitProblem;
    }
    session.console.Line(">> " + key);
    host::CountBoxes();
    session.plugin.Run(key);
    const int boxes = host::BoxesShown();
    if (boxes < 0) {
        session.console.Line("<< " + key + " finished; its message boxes could not be counted");
        return kExitProblem;
    }
    session.console.Line("<< " + key + " finished" +
                         (boxes > 0 ? ", " + std::to_string(boxes) + " message box(es)" : ""));
    return boxes > 0 ? host::kExitBox : kExitDone;
}

/// `run KEY`: an entry of the menu file, or the drawing-management key.
int RunKey(Session& session) {
    const std::string& key = session.options.words[1];
    if (key != kManagerKey && !session.tree.HasKey(key)) {
        session.console.Line("truvhost: no entry of the menu has the key " + key + "; nothing run");
        return kExitProblem;
    }
    return RunItem(session, key);
}

int Interactive(Session& session) {
    const std::vector<host::FindableItem> findable = host::FindableItems(session.tree);
    host::RecentPicks recent(host::RecentFolder(session.options.autoOk), session.tree);
    host::Browse(
        session.tree, session.console,
        {[&](const std::string& key) {
             recent.Note(key);
             RunItem(session, key);
         },
         host::ProjectFolder, host::ChangeProjectFolder, &findable, [&] { return recent.Keys(); }});
    return kExitDone;
}

int Window(Session& session) {
    const std::vector<std::string> paths = session.Paths(1);
    return host::RunWindowHost(host::HostDirectory(), paths.empty() ? "" : paths[0],
                               host::RecentFolder(session.options.autoOk), session.options.language,
                               session.console);
}

// The other commands live in their rooms; these hand them their words.
int List(Session& session) {
    host::PrintTree(session.tree, session.console);
    return kExitDone;
}

int Find(Session& session) {
    return host::FindCommand(session.console, session.tree, session.options.words[1]);
}

int Doctor(Session& session) {
    return host::DoctorCommand(session.console);
}

int Explain(Session& session) {
    return host::ExplainCommand(session.console, session.options.words[1]);
}

int Menu(Session& session) {
    return host::MenuCommand(session.console, session.Words(1), session.Paths(1));
}

int Trace(Session& session) {
    return host::TraceCommand(session.console, session.options.paths[1], session.Words(2));
}

int Version(Session& session) {
    return host::VersionCommand(session.console, host::HostDirectory());
}

int Help(Session&) {
    std::fputs(kUsage, stdout);
    return kExitDone;
}

/// What must hold before a command runs.
enum class Needs {
    kNothing,
    kSameRules,   ///< the library beside the host states the host's version (SameRules)
    kLoadedMenu,  ///< the plug-in loaded and initialised, its menu file read (LoadMenu)
    kHostFolder,  ///< the host's own folder is known
};

constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();

/// A command: its name, how many words may follow it, what must hold first, whether it reads
/// the form of its words itself, what it does.
struct Command {
    const char* name;
    std::size_t fewest;
    std::size_t most;
    Needs needs;
    bool readsItsWords;  ///< its kExitUsage means words of the wrong form: the usage is shown
    int (*run)(Session&);
};

// clang-format off
constexpr Command kCommands[] = {
    {"",          0, 0,    Needs::kLoadedMenu, false, Interactive},
    {"list",      0, 0,    Needs::kLoadedMenu, false, List},
    {"find",      1, 1,    Needs::kLoadedMenu, false, Find},
    {"run",       1, 1,    Needs::kLoadedMenu, false, RunKey},
    {"doctor",    0, 0,    Needs::kSameRules,  false, Doctor},
    {"explain",   1, 1,    Needs::kSameRules,  false, Explain},
    {"menu",      0, 2,    Needs::kSameRules,  true,  Menu},
    {"trace",     1, kAny, Needs::kNothing,    true,  Trace},
    {"window",    0, 1,    Needs::kHostFolder, false, Window},
    {"--version", 0, 0,    Needs::kNothing,    false, Version},
    {"--help",    0, 0,    Needs::kNothing,    false, Help},
    {"-h",        0, 0,    Needs::kNothing,    false, Help},
};
// clang-format on

bool Ready(Session& session, Needs needs) {
    switch (needs) {
        case Needs::kNothing:
            return true;
        case Needs::kSameRules:
            return SameRules(session);
        case Needs::kLoadedMenu:
            return LoadMenu(session);
        case Needs::kHostFolder:
            if (!host::HostDirectory().empty()) return true;
            NoHostFolder(session);
            return false;
    }
    return false;
}

/// The command the words name, run; its usage and kExitUsage for words that name none.
int RunCommandLine(const Options& options) {
    if (options.badLanguage) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::string name = options.words.empty() ? std::string() : options.words[0];
    const std::size_t arguments = options.words.empty() ? 0 : options.words.size() - 1;
    for (const Command& command : kCommands) {
        if (name != command.name || arguments < command.fewest || arguments > command.most) {
            continue;
        }
        Session session(options);
        if (!Ready(session, command.needs)) return kExitProblem;
        const int code = command.run(session);
        if (code == kExitUsage && command.readsItsWords) std::fputs(kUsage, stderr);
        return code;
    }
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

}  // namespace

// Standard output lost (closed, a full disk) is a failure of any command: what it was to
// tell reached nobody. A reader that closed the pipe early (`| head`) is told nothing more.
int main(int argc, char** argv) {
    const bool outputOpen = host::sys::PrepareStandardOutput();
    int code = kExitProblem;
    try {
        const Options options = ParseOptions(argc, argv);
        code = RunCommandLine(options);
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
        return code == kExitDone ? host::kExitNoOutput : code;
    }
    return code;
}
