// truv-demo: lays out a complete demonstration installation of the suite, every program a
// stand-in, and reports what the stand-ins did.
//
//   truv-demo install DIR   DIR/TRUV the installation root ("CFGPATH", a folder per key),
//                           DIR/project the project folder, the registry value naming the root
//                           (POSIX: the store DIR/registry), HH.exe beside this program
//   truv-demo point DIR     makes the registry value name DIR's installation again (after
//                           another installation took it over)
//   truv-demo journal DIR   prints the starts the stand-ins recorded since last time (or
//                           that nothing was started), then empties the journal
#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/items/item_plan.h"
#include "host/platform/host_system.h"
#include "plugin/inspect.h"
#include "suite/demo_registry.h"
#include "suite/journal.h"
#include "suite/sandbox.h"
#include "suite/scenario.h"
#include "suite/system.h"

namespace {

constexpr const char* kRootFolder = "TRUV";
constexpr const char* kProjectFolder = "project";
constexpr const char* kStoreName = "registry";
constexpr const char* kCoreKey = "CORE";
constexpr const char* kDocumentText = "A help document of the demonstration installation.\n";

/// The program that fails in the demonstration (exit code 3), to show the failure message.
constexpr const char* kFailingProgram = "LoadChk.exe";
constexpr std::uint32_t kFailingCode = 3;

struct Layout {
    std::string root;
    std::string project;
    std::string store;
};

Layout LayoutOf(const std::string& dir) {
    return {suite::sys::Join(dir, kRootFolder), suite::sys::Join(dir, kProjectFolder),
            suite::sys::Join(dir, kStoreName)};
}

void Require(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error(what);
}

/// Every directory key and file that the catalogue's rows and the flows can start.
std::set<host::StartedFile> WhatTheCatalogueStarts() {
    MenuCatalog catalog;
    BuildMenuGroups(catalog);
    std::vector<host::ItemPlan> plans = host::PlanCatalogue(catalog);
    plans.push_back(host::ManagerPlan());
    return host::FilesStarted(plans);
}

std::set<std::string> KeysOf(const std::set<host::StartedFile>& placed) {
    std::set<std::string> keys{kCoreKey};
    for (const host::StartedFile& item : placed) {
        if (!item.dirKey.empty()) keys.insert(item.dirKey);
    }
    return keys;
}

void WriteCfgPath(const Layout& layout, const std::set<std::string>& keys) {
    std::string text;
    for (const std::string& key : keys) {
        // "CFGPATH" is the plug-in's file, GBK on every platform.
        text += key + "\n" + suite::sys::Join(suite::sys::GbkSpelling(layout.root), key) +
                suite::sys::Separator() + "\n";
    }
    Require(suite::sys::WriteWholeFile(suite::sys::Join(layout.root, "CFGPATH"), text),
            "cannot write CFGPATH");
}

/// A program name that names sub-folders ("VIEW\\X.exe") with the platform's separators.
std::string LocalName(const std::string& name) {
    std::string local;
    for (std::size_t pos = 0; pos < name.size(); pos += gbk::CharLength(name, pos)) {
        const bool separator = name[pos] == '\\' && gbk::CharLength(name, pos) == 1;
        local.append(separator ? std::string(1, suite::sys::Separator())
                               : name.substr(pos, gbk::CharLength(name, pos)));
    }
    return local;
}

/// Installs the stand-in once per name of a directory, without regard to case: one copy, and
/// every other name a hard link of it, so the installation takes the space of one program.
int PlaceFiles(const Layout& layout, const std::set<host::StartedFile>& placed) {
    std::set<std::string> done;
    std::string firstCopy;
    for (const host::StartedFile& item : placed) {
        const std::string dir =
            item.dirKey.empty() ? layout.root : suite::sys::Join(layout.root, item.dirKey);
        const std::string path =
            suite::sys::Join(dir, suite::ProgramFileName(LocalName(item.name)));
        if (!done.insert(gbk::Upper(path)).second) continue;
        Require(suite::sys::MakeDirectories(suite::sys::DirName(path)), "cannot create " + dir);
        if (item.document) {
            Require(suite::sys::WriteWholeFile(path, kDocumentText), "cannot write " + path);
        } else if (firstCopy.empty()) {
            Require(suite::sys::CopyExecutable(suite::StandinPath(), path),
                    "cannot install " + path);
            firstCopy = path;
        } else {
            Require(suite::sys::LinkExecutable(firstCopy, path), "cannot install " + path);
        }
    }
    return static_cast<int>(done.size());
}

/// What the stand-ins do in the demonstration: the detail selection asks for the "X" run
/// (a flow steered by a work file), and one program fails.
void WriteScenario(const Layout& layout) {
    suite::Scenario scenario;
    scenario.On("DetailSel.exe").Create("XT1.tmp");
    scenario.On(kFailingProgram).Exit(kFailingCode);
    Require(suite::sys::WriteWholeFile(suite::sys::Join(layout.root, suite::kScenarioName),
                                       suite::FormatScenario(scenario)),
            "cannot write the scenario");
}

int Install(const std::string& dir) {
    const Layout layout = LayoutOf(dir);
    Require(suite::sys::MakeDirectories(layout.root), "cannot create " + layout.root);
    Require(suite::sys::MakeDirectories(layout.project), "cannot create " + layout.project);
    suite::WriteDemoRegistryRoot(layout.root, layout.store);
    // One block of the catalogue depends on the keys in CFGPATH: build it again once they
    // are there, and lay out what either catalogue starts.
    std::set<host::StartedFile> placed = WhatTheCatalogueStarts();
    WriteCfgPath(layout, KeysOf(placed));
    placed.merge(WhatTheCatalogueStarts());
    const std::set<std::string> keys = KeysOf(placed);
    WriteCfgPath(layout, keys);
    const int files = PlaceFiles(layout, placed);
    WriteScenario(layout);
    const std::string viewer = suite::InstallBesideExecutable("HH.exe");

    std::printf("installation root  %s\n", layout.root.c_str());
    std::printf("CFGPATH            %s (%zu keys)\n",
                suite::sys::Join(layout.root, "CFGPATH").c_str(), keys.size());
    std::printf("programs           %d stand-ins and help documents under the root\n", files);
    std::printf("help viewer        %s\n", viewer.c_str());
    std::printf("registry           %s\n", suite::DemoRegistryWhere(layout.store).c_str());
    std::printf("project folder     %s\n", layout.project.c_str());
    std::printf("stand-in scenario  %s (%s fails with exit code %u)\n",
                suite::sys::Join(layout.root, suite::kScenarioName).c_str(), kFailingProgram,
                static_cast<unsigned>(kFailingCode));
    std::printf("stand-in journal   %s (export TRUV_SUITE_JOURNAL=...)\n",
                suite::sys::Join(layout.root, suite::kJournalName).c_str());
    return 0;
}

int Journal(const std::string& dir) {
    const std::string path = suite::sys::Join(LayoutOf(dir).root, suite::kJournalName);
    std::string bytes;
    std::vector<suite::JournalRecord> records;
    std::string error;
    bool ok = true;
    if (suite::sys::ReadWholeFile(path, bytes) == suite::sys::ReadResult::Read) {
        ok = suite::ParseJournal(bytes, records, error);
    }
    for (const suite::JournalRecord& record : records) {
        std::printf("  started: %s\n           in %s, exit code %u\n", record.commandLine.c_str(),
                    record.currentDir.c_str(), static_cast<unsigned>(record.exitCode));
    }
    if (ok && records.empty()) std::puts("  nothing started since last time");
    suite::sys::WriteWholeFile(path, "");
    if (!ok) std::fprintf(stderr, "truv-demo: %s: %s\n", path.c_str(), error.c_str());
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc == 3 ? argv[1] : "";
    host::sys::PrepareStandardOutput();  // lines end in LF, as the host's do
    try {
        if (command == "install") return Install(argv[2]);
        if (command == "journal") return Journal(argv[2]);
        if (command == "point") {
            const Layout layout = LayoutOf(argv[2]);
            suite::WriteDemoRegistryRoot(layout.root, layout.store);
            return 0;
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "truv-demo: %s\n", failure.what());
        return 1;
    }
    std::fputs("usage: truv-demo install DIR | truv-demo point DIR | truv-demo journal DIR\n",
               stderr);
    return 2;
}
