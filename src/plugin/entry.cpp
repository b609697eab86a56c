// The two functions the host calls.
#include "plugin/entry.h"

#include <string>

#include "catalogue/builders.h"
#include "launch/launcher.h"
#include "model/menu_catalog.h"
#include "model/menu_file.h"
#include "os/os.h"
#include "plugin/dispatch.h"
#include "plugin/globals.h"

namespace {
constexpr const char* kInitResult = "CFG";
}  // namespace

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
    Dispatch(TheCatalog(), command);
}
