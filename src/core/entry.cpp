// The two functions the host calls.
#include "core/entry.h"

#include <string>

#include "core/globals.h"
#include "core/menu_catalog.h"
#include "core/menu_file.h"
#include "launch/launcher.h"
#include "os/os.h"

namespace {

constexpr const char* kInitResult = "CFG";

using Builder = void (*)(MenuCatalog&);

// clang-format off
constexpr Builder kBuilders[kGroupCount] = {
    [](MenuCatalog& catalog) { catalog.BuildArchitectureGroup(); },
    [](MenuCatalog& catalog) { catalog.BuildStructureGroup(); },
    [](MenuCatalog& catalog) { catalog.BuildSteelGroup(); },
    [](MenuCatalog& catalog) { catalog.BuildSpecialStructureGroup(); },
    [](MenuCatalog& catalog) { catalog.BuildMasonryGroup(); },
    [](MenuCatalog& catalog) { catalog.BuildAppraisalGroup(); },
    [](MenuCatalog& catalog) { catalog.BuildServicesGroup(); },
};
// clang-format on

}  // namespace

GroupBounds BuildMenuGroups(MenuCatalog& catalog) {
    GroupBounds bounds;
    for (int group = 0; group < kGroupCount; ++group) {
        kBuilders[group](catalog);
        bounds.groupStart[group + 1] = catalog.Count();
    }
    return bounds;
}

const char* InitTruvApp() {
    MenuCatalog& catalog = TheCatalog();
    const GroupBounds bounds = BuildMenuGroups(catalog);
    WriteMenuFile(MenuFilePath(os::HostExecutablePath()), catalog, bounds);
    return kInitResult;
}

void RunCommand(char* key) {
    // The whole current directory is recorded; when the system cannot tell it, the project
    // directory is empty and the run operations report it as invalid.
    TheLauncher().workDir = os::CurrentDirectory().value_or(std::string());
    const std::string command = key == nullptr ? std::string() : std::string(key);
    TheCatalog().Dispatch(command);
}
