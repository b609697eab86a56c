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
// and reports the heap that the catalogue holds after InitTruvApp.
//
//   truv-bench [--rounds N]     N alternating rounds per comparison (default 51)
#include <cctype>
#include <cstdio>
#include <cstdlib>
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

void Report(const char* name, const char* subject, const char* baseline,
            const bench::Comparison& c) {
    std::printf("%-7s %-34s %9.3f ms   %-26s %9.3f ms   ratio %7.3f  (rounds %.3f..%.3f)\n", name,
                subject, c.subject * 1e3, baseline, c.baseline * 1e3, c.ratio, c.ratioLow,
                c.ratioHigh);
    std::fflush(stdout);
}

int Main(int rounds) {
    host::Console console(false);
    host::AcknowledgeBoxes(console);  // a box would mean a broken set-up: shown, not waited for
    Bench bench;
    std::printf("truv-bench: %d rounds per comparison, alternating; medians\n", rounds);

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

    library.Load();
    suite::sys::RemoveFile(bench.menuFile);
    const bench::HeapUse before = bench::HeapInUse();
    library.Init();
    const bench::HeapUse after = bench::HeapInUse();
    std::printf("heap    the catalogue after InitTruvApp: %ld blocks, %lld bytes\n",
                after.blocks - before.blocks, after.bytes - before.bytes);
    std::printf("        (%s)\n", bench::HeapMethod());
    library.Unload();
    suite::sys::RemoveFile(bench.menuFile);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 51;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--rounds" && i + 1 < argc) {
            rounds = std::atoi(argv[++i]);
        } else if (word == "--exact-case") {
            exactCase = true;
        } else {
            std::fputs("usage: truv-bench [--rounds N] [--exact-case]\n", stderr);
            return 2;
        }
    }
    if (rounds < 1) rounds = 1;
    try {
        return Main(rounds);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "truv-bench: %s\n", error.what());
        return 1;
    }
}
