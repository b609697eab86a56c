// truv-bench: how close the plug-in comes to the cost of what it exists to do. It loads the
// library as a host does (by its decorated exports), sets up a sandbox installation whose
// programs are one trivial program, and times each operation side by side with the bare
// system calls that do the same work:
//
//   launch  RunCommand of an item that starts one program   vs  one bare start of it
//   flow    RunCommand of a flow that starts n programs     vs  n bare starts of them
//   init    InitTruvApp writing menu.txt                    vs  one write of the same bytes
//   durable InitTruvApp writing menu.txt                    vs  the same bytes written
//           atomically and durably by hand (exclusive create, write, flush, rename, flush
//           of the folder): what the plug-in adds to the disk's own cost
//   build   InitTruvApp with menu.txt present (the catalogue alone, nothing written), against
//           the same write, to tell the catalogue's part of "init" from the file's
//   load    library load plus InitTruvApp (first menu)      vs  one write of the same bytes
//
// and reports the heap that the catalogue holds after InitTruvApp, and the first menu broken
// down into its steps, each made alone with the plug-in's own code (medians):
//
//   step path     the host's executable path, and the menu file's beside it
//   step look     the look at the menu file's name
//   step cfg      the builders' one question to the installation (is "LYR" a key of CFGPATH)
//   step build    the catalogue built by the seven group builders into a new catalogue
//   step text     the menu text composed from it
//   step write    the text written atomically and durably
//
//   truv-bench [--rounds N] [--exact-case] [--wine TREE]
//     --rounds N     N alternating rounds per comparison (default 51)
//     --exact-case   the programs installed under the names the launcher asks for
//     --wine TREE    then the same benchmark of the Windows build tree TREE, run under Wine
//                    through the tree's runner, and every figure of both side by side
//     --steps        only the steps of the first menu, for a profiler
//     --records      (what --wine asks of the Windows run) the figures alone, a line each
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bare.h"
#include "bench/side_by_side.h"
#include "bench/start_record.h"
#include "host/console/auto_ok.h"
#include "host/platform/console_text.h"
#include "host/plugin/plugin_loader.h"
#include "os/os.h"
#include "plugin/inspect.h"
#include "suite/sandbox.h"
#include "suite/system.h"

namespace {

// An item of one command row that starts one program (key LYR, "LyraCalc.exe").
constexpr const char* kLaunchKey = "LYRA|结构内力，配筋计算";
constexpr const char* kLaunchKeyDir = "LYR";
const std::vector<const char*> kLaunchPrograms = {"LyraCalc.exe"};

// A flow that, while "return.tmp" is in the project folder, starts four programs of CORE.
constexpr const char* kFlowKey = "CORECAD|结构三维线框透视图";
constexpr const char* kFlowKeyDir = "CORE";
const std::vector<const char*> kFlowPrograms = {"WIRE_3D.exe", "OCCLUDE.exe", "EDGECULL.exe",
                                                "PLOT_2D.exe"};
constexpr const char* kFlowWorkFile = "return.tmp";

constexpr const char* kNopName = "truv-bench-nop";
constexpr const char* kMenuFileName = "menu.txt";
constexpr int kWarmUp = 3;

void Require(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error(what);
}

std::string OwnDirectory() {
    return suite::sys::DirName(suite::sys::OwnExecutablePath());
}

/// The library, freshly loaded (its global objects constructed anew).
class Library {
public:
    Library() { Load(); }
    void Load() {
        plugin_.reset();
        plugin_.emplace();
        std::string error;
        Require(plugin_->Load(OwnDirectory(), error), error);
    }
    void Unload() { plugin_.reset(); }
    void Init() const { plugin_->Init(); }
    void Run(const std::string& key) const { plugin_->Run(key); }

private:
    std::optional<host::Plugin> plugin_;
};

/// With --exact-case, the programs are installed under the upper-case names that the launcher
/// asks for, so that the POSIX path emulation finds them without listing their folder.
bool exactCase = false;

std::string AsInstalled(std::string name) {
    if (exactCase) {
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

/// The installation: the trivial program under every name the two items start.
struct Bench {
    suite::Sandbox sandbox{"TRUV"};
    std::string startLog = sandbox.Temp().Join("starts.log");
    std::string menuFile = suite::sys::Join(OwnDirectory(), kMenuFileName);

    Bench() {
        const std::string nop = suite::sys::Join(
            OwnDirectory(), std::string(kNopName) + suite::sys::ExecutableSuffix());
        Require(suite::sys::Exists(nop), nop + " is missing");
        std::vector<suite::CfgPathEntry> entries;
        for (const auto& [dir, programs] :
             {std::pair{kFlowKeyDir, kFlowPrograms}, std::pair{kLaunchKeyDir, kLaunchPrograms}}) {
            const std::string line = sandbox.AddModule(dir);
            entries.push_back({dir, line});
            for (const char* program : programs) {
                const std::string path =
                    suite::sys::Join(suite::sys::Join(sandbox.Root(), dir),
                                     AsInstalled(suite::ProgramFileName(program)));
                Require(suite::sys::CopyExecutable(nop, path), "cannot install " + path);
            }
        }
        sandbox.WriteCfgPath(entries);
        sandbox.SetRegistryRoot();
        Require(
            suite::sys::WriteWholeFile(suite::sys::Join(sandbox.ProjectDir(), kFlowWorkFile), "1"),
            "cannot write the work file");
        Require(bench::ChangeDirectory(sandbox.ProjectDir()), "cannot enter the project folder");
    }

    /// What RunCommand of `key` starts, learnt from the trivial program's own records.
    std::vector<bench::StartRecord> StartsOf(const Library& library, const std::string& key,
                                             std::size_t expected) const {
        suite::sys::RemoveFile(startLog);
        suite::sys::SetEnv(bench::kStartLogVariable, startLog);
        library.Run(key);
        suite::sys::SetEnv(bench::kStartLogVariable, std::nullopt);
        std::string log;
        suite::sys::ReadWholeFile(startLog, log);
        std::vector<bench::StartRecord> starts = bench::ParseStarts(log);
        Require(starts.size() == expected, os::GbkToUtf8(key) + " started " +
                                               std::to_string(starts.size()) + " programs, not " +
                                               std::to_string(expected));
        for (const bench::StartRecord& start : starts) {
            Require(bench::BareStart(start) == 0, "cannot start " + start.commandLine + " bare");
        }
        return starts;
    }
};

/// One figure of a run: a comparison row, a step (baseline 0) or the heap (blocks, bytes).
struct Record {
    std::string key;
    double subject = 0;
    double baseline = 0;
    double ratio = 0;
    double low = 0;
    double high = 0;
};

std::vector<Record> records;
/// With --steps, only the first menu's steps are timed (for a profiler).
bool stepsOnly = false;
/// With --records, the run prints only its records, one per line, for a run beside it to read.
bool recordsOnly = false;

void Say(const std::string& line) {
    if (recordsOnly) return;
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

std::string Formatted(const char* format, auto... values) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

void Report(const char* name, const char* subject, const char* baseline,
            const bench::Comparison& c) {
    records.push_back({name, c.subject, c.baseline, c.ratio, c.ratioLow, c.ratioHigh});
    Say(Formatted("%-7s %-34s %9.3f ms   %-26s %9.3f ms   ratio %7.3f  (rounds %.3f..%.3f)", name,
                  subject, c.subject * 1e3, baseline, c.baseline * 1e3, c.ratio, c.ratioLow,
                  c.ratioHigh));
}

void ReportStep(const char* name, const char* what, double seconds) {
    records.push_back({std::string("step-") + name, seconds});
    Say(Formatted("step    %-6s %-47s %9.3f ms", name, what, seconds * 1e3));
}

std::string RecordLine(const Record& r) {
    return Formatted("%s %.9g %.9g %.9g %.9g %.9g", r.key.c_str(), r.subject, r.baseline, r.ratio,
                     r.low, r.high);
}

std::vector<Record> ParseRecords(const std::string& text) {
    std::vector<Record> parsed;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        char key[64] = {};
        Record r;
        if (std::sscanf(line.c_str(), "%63s %lf %lf %lf %lf %lf", key, &r.subject, &r.baseline,
                        &r.ratio, &r.low, &r.high) == 6) {
            r.key = key;
            parsed.push_back(r);
        }
    }
    return parsed;
}

const Record* Find(const std::vector<Record>& in, const std::string& key) {
    for (const Record& r : in) {
        if (r.key == key) return &r;
    }
    return nullptr;
}

/// "1.234 / 0.567 ms, ratio 2.18 (1.9..2.4)", or the step's or the heap's figure.
std::string Cell(const Record* r) {
    if (r == nullptr) return "-";
    if (r->key == "heap") return Formatted("%.0f blocks, %.0f bytes", r->subject, r->baseline);
    if (r->key.starts_with("step-")) return Formatted("%.3f ms", r->subject * 1e3);
    return Formatted("%.3f / %.3f ms = %.3f (%.2f..%.2f)", r->subject * 1e3, r->baseline * 1e3,
                     r->ratio, r->low, r->high);
}

/// What `command`, run by the system's shell, writes to its standard output; nothing when it
/// cannot be run or does not exit 0.
std::optional<std::string> OutputOf(const std::string& command) {
    std::FILE* pipe = bench::OpenCommandPipe(command);
    if (pipe == nullptr) return std::nullopt;
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    if (bench::CloseCommandPipe(pipe) != 0) return std::nullopt;
    return output;
}

/// `text` as one word of the POSIX shell, whatever it holds: in single quotes, each single
/// quote of it written as '\''.
std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

/// The native run's figures beside those of the same benchmark built for Windows and run under
/// Wine from the build tree `windowsTree` (its runner keeps the tree's Wine prefix).
void ReportBeside(const std::string& windowsTree, int rounds) {
    std::string command = ShellQuoted(windowsTree + "/wine-run.sh") + " " +
                          ShellQuoted(windowsTree + "/bin/truv-bench.exe") +
                          " --records --rounds " + std::to_string(rounds);
    if (exactCase) command += " --exact-case";
    const std::optional<std::string> output = OutputOf(command);
    Require(output.has_value(), "cannot run " + command);
    const std::vector<Record> wine = ParseRecords(*output);
    Require(!wine.empty(), command + " reported nothing:\n" + *output);
    std::printf("\nside by side: subject / baseline = ratio (quartiles of the rounds' ratios)\n");
    std::printf("%-12s %-48s %s\n", "row", "native", "Wine");
    for (const Record& r : records) {
        std::printf("%-12s %-48s %s\n", r.key.c_str(), Cell(&r).c_str(),
                    Cell(Find(wine, r.key)).c_str());
    }
}

/// The steps of the first menu, each timed alone.
void Breakdown(int rounds, const std::string& menuFile) {
    const auto timed = [rounds](const std::function<void()>& work) {
        return bench::MedianOf(rounds, kWarmUp, [&] { return bench::Seconds(work); });
    };
    std::string path;
    ReportStep("path", "host executable path, menu file path",
               timed([&] { path = MenuFilePath(os::HostExecutablePath()); }));
    Require(path == menuFile, "the plug-in's menu file is " + path + ", not " + menuFile);
    suite::sys::RemoveFile(menuFile);
    ReportStep("look", "look at the menu file's name", timed([&] { os::LookAtName(path); }));
    ReportStep("cfg", "of which the builders' look into CFGPATH",
               timed([&] { CfgPathHasKey("LYR"); }));
    GroupBounds bounds;
    ReportStep("build", "catalogue of the seven group builders", timed([&] {
                   MenuCatalog catalog;
                   bounds = BuildMenuGroups(catalog);
               }));
    MenuCatalog catalog;
    bounds = BuildMenuGroups(catalog);
    std::string text;
    ReportStep("text", "menu text composed", timed([&] { text = MenuFileText(catalog, bounds); }));
    ReportStep("write", "written atomically and durably", bench::MedianOf(rounds, kWarmUp, [&] {
                   suite::sys::RemoveFile(menuFile);
                   return bench::Seconds([&] { os::WriteFileAtomically(path, text, false); });
               }));
    suite::sys::RemoveFile(menuFile);
}

int Main(int rounds, const std::string& windowsTree) {
    host::Console console(false);
    host::AcknowledgeBoxes(console);  // a box would mean a broken set-up: shown, not waited for
    Bench bench;
    Say(Formatted("truv-bench: %d rounds per comparison, alternating; medians", rounds));
    if (stepsOnly) {
        Breakdown(rounds, bench.menuFile);
        return 0;
    }

    // Menu file: what InitTruvApp writes, to be written bare.
    Library library;
    suite::sys::RemoveFile(bench.menuFile);
    library.Init();
    std::string menu;
    Require(suite::sys::ReadWholeFile(bench.menuFile, menu) == suite::sys::ReadResult::Read,
            "InitTruvApp wrote no " + bench.menuFile);

    const std::vector<bench::StartRecord> launch =
        bench.StartsOf(library, kLaunchKey, kLaunchPrograms.size());
    const std::vector<bench::StartRecord> flow =
        bench.StartsOf(library, kFlowKey, kFlowPrograms.size());

    const auto bareStarts = [](const std::vector<bench::StartRecord>& starts) {
        return [&starts] {
            return bench::Seconds([&] {
                for (const bench::StartRecord& start : starts) bench::BareStart(start);
            });
        };
    };
    Report("launch", "RunCommand, 1 program", "1 bare start",
           bench::SideBySide(
               rounds, kWarmUp, [&] { return bench::Seconds([&] { library.Run(kLaunchKey); }); },
               bareStarts(launch)));
    Report("flow", "RunCommand, flow of 4 programs", "4 bare starts",
           bench::SideBySide(
               rounds, kWarmUp, [&] { return bench::Seconds([&] { library.Run(kFlowKey); }); },
               bareStarts(flow)));

    const auto bareWrite = [&] {
        suite::sys::RemoveFile(bench.menuFile);
        return bench::Seconds([&] { bench::WriteInOnePiece(bench.menuFile, menu); });
    };
    const std::string writeText = "1 write of " + std::to_string(menu.size()) + " bytes";
    const auto init = [&] {
        suite::sys::RemoveFile(bench.menuFile);
        library.Load();
        return bench::Seconds([&] { library.Init(); });
    };
    Report("init", "InitTruvApp, menu.txt written", writeText.c_str(),
           bench::SideBySide(rounds, kWarmUp, init, bareWrite));
    Report("durable", "InitTruvApp, menu.txt written", "durable write by hand",
           bench::SideBySide(rounds, kWarmUp, init, [&] {
               suite::sys::RemoveFile(bench.menuFile);
               return bench::Seconds([&] { bench::WriteDurably(bench.menuFile, menu); });
           }));
    Report("build", "InitTruvApp, menu.txt present", writeText.c_str(),
           bench::SideBySide(
               rounds, kWarmUp,
               [&] {
                   library.Load();
                   Require(bench::WriteInOnePiece(bench.menuFile, menu), "cannot write menu.txt");
                   return bench::Seconds([&] { library.Init(); });
               },
               bareWrite));
    Report("load", "load + InitTruvApp (first menu)", writeText.c_str(),
           bench::SideBySide(
               rounds, kWarmUp,
               [&] {
                   library.Unload();
                   suite::sys::RemoveFile(bench.menuFile);
                   return bench::Seconds([&] {
                       library.Load();
                       library.Init();
                   });
               },
               bareWrite));

    Breakdown(rounds, bench.menuFile);

    library.Load();
    suite::sys::RemoveFile(bench.menuFile);
    const bench::HeapUse before = bench::HeapInUse();
    library.Init();
    const bench::HeapUse after = bench::HeapInUse();
    records.push_back({"heap", static_cast<double>(after.blocks - before.blocks),
                       static_cast<double>(after.bytes - before.bytes)});
    Say(Formatted("heap    the catalogue after InitTruvApp: %ld blocks, %lld bytes",
                  after.blocks - before.blocks, after.bytes - before.bytes));
    Say(Formatted("        (%s)", bench::HeapMethod()));
    library.Unload();
    suite::sys::RemoveFile(bench.menuFile);
    if (recordsOnly) {
        for (const Record& r : records) std::printf("%s\n", RecordLine(r).c_str());
    }
    if (!windowsTree.empty()) ReportBeside(windowsTree, rounds);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 51;
    std::string windowsTree;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--rounds" && i + 1 < argc) {
            rounds = std::atoi(argv[++i]);
        } else if (word == "--exact-case") {
            exactCase = true;
        } else if (word == "--steps") {
            stepsOnly = true;
        } else if (word == "--records") {
            recordsOnly = true;
        } else if (word == "--wine" && i + 1 < argc) {
            windowsTree = argv[++i];
        } else {
            std::fputs(
                "usage: truv-bench [--rounds N] [--exact-case] [--wine WINDOWS-BUILD-TREE]\n",
                stderr);
            return 2;
        }
    }
    if (rounds < 1) rounds = 1;
    try {
        return Main(rounds, windowsTree);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "truv-bench: %s\n", error.what());
        return 1;
    }
}
