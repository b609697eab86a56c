// Key dispatch over the real catalogue, through the real launcher and item flows, with the
// fuzz-only backend in place of process start, shell and message boxes (no_process.cpp): an
// installation whose "CFGPATH" names every directory key of the catalogue, an empty project
// directory. Any key gives -1, 0 or 1; an empty key is refused with a message; a key that no
// row has starts and shows nothing; the key of every row is found, and each command triple of
// its row either starts its program or says why not.
// Input: the key.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "catalogue/builders.h"
#include "fuzz_support.h"
#include "launch/launcher.h"
#include "model/menu_catalog.h"
#include "model/split_row.h"
#include "plugin/dispatch.h"
#include "plugin/globals.h"

namespace {

// Key of each row, with the number of its command triples (0 for a row the flows serve).
std::map<std::string, std::size_t>& RowKeys() {
    static std::map<std::string, std::size_t> keys;
    return keys;
}

void SetUpInstallation() {
    const std::string root = fuzz::ScratchDir() + "/root";
    const std::string project = fuzz::ScratchDir() + "/project";
    std::filesystem::create_directories(root);
    std::filesystem::create_directories(project);
    const std::string store = fuzz::ScratchDir() + "/registry";
    fuzz::WriteWhole(store, "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TRUV\\MAIN\\PATH]\nCFG=" + root + "\n");
    setenv("TRUV_REGISTRY", store.c_str(), 1);

    const GroupBounds bounds = BuildMenuGroups(TheCatalog());
    fuzz::Check(bounds.groupStart[kGroupCount] == TheCatalog().Count(), "catalogue not built");
    std::string cfgPath = "CORE\n" + root + "\\\nDMGT\n" + root + "\\\n";
    for (int i = 0; i < TheCatalog().Count(); ++i) {
        std::vector<std::string> tokens;
        const std::string_view row = TheCatalog().ItemAt(i).RowText();
        SplitRow(row.data(), row.size(), tokens);
        const std::size_t triples = TripleCount(tokens);
        RowKeys().emplace(tokens[0] + "|" + tokens[1], triples);
        for (std::size_t t = 0; t < triples; ++t) {
            cfgPath += TripleAt(tokens, t, TheLauncher().rootKey).dirKey + "\n" + root + "\\\n";
        }
    }
    fuzz::WriteWhole(root + "/CFGPATH", cfgPath);
    TheLauncher().workDir = project;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    SetUpInstallation();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string key(fuzz::AsText(data, size));
    fuzz::Record& record = fuzz::Recorded();
    record.Clear();
    const int result = TheCatalog().Dispatch(key);
    fuzz::Check(result >= -1 && result <= 1, "a result other than -1, 0 or 1");
    const auto row = RowKeys().find(key);
    if (key.empty()) {
        fuzz::Check(result == -1 && record.messages.size() == 1 && record.started.empty(),
                    "an empty key not refused with one message");
    } else if (key == kManagerKey) {
        fuzz::Check(result == 1 && record.started.size() == 1, "drawing management not started");
    } else if (row == RowKeys().end()) {
        fuzz::Check(result == -1 && record.messages.empty() && record.started.empty(),
                    "a key of no row did something");
    } else {
        fuzz::Check(result != -1, "the key of a row is not found");
        fuzz::Check(record.started.size() + record.messages.size() >= row->second,
                    "a command triple neither started nor explained");
    }
    return 0;
}
