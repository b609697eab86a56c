// Which build of the plug-in the host's own rules come from, against the library it loads.
#include "host/plugin/version.h"

#include <algorithm>

#include "host/platform/exit_codes.h"
#include "host/platform/host_system.h"
#include "host/plugin/host_folder.h"
#include "host/plugin/plugin_loader.h"
#include "plugin/inspect.h"

namespace host {

std::string StatedVersion(std::string_view mark) {
    const bool printable =
        std::all_of(mark.begin(), mark.end(), [](char byte) { return byte >= ' ' && byte <= '~'; });
    if (mark.empty() || mark.size() > kVersionLimit || !printable) return {};
    return std::string(mark);
}

std::string RulesMismatch(const std::string& path) {
    if (os::LookAtName(path).kind == os::NameInfo::Kind::kNothing) return {};
    if (const std::string damage = LibraryDamage(path); !damage.empty()) {
        return "cannot load " + path + ": " + damage +
               "; nothing is judged. Install the library again.";
    }
    const std::string version = LibraryVersion(path);
    if (version == HostVersion()) return {};
    return "this truvhost judges with the catalogue and rules of truvApp " + HostVersion() +
           ", but " + path + " is " +
           (version.empty() ? "of no stated version" : "version " + version) +
           "; its menu and items may differ, so nothing is judged. Use the truvhost of the "
           "library's own release.";
}

int VersionCommand(const Console& console, const std::string& hostDir) {
    console.Line("truvhost " + HostVersion());
    if (hostDir.empty()) {
        console.Line(std::string("truvhost: ") + kNoHostFolder);
        return kExitProblem;
    }
    Plugin plugin;
    std::string error;
    if (!plugin.Load(hostDir, error)) {
        console.Line("truvhost: " + error);
        return kExitProblem;
    }
    const std::string version = LibraryVersion(plugin.Path());
    console.Line(Plugin::FileName() + " " + (version.empty() ? "(no version)" : version) + " " +
                 plugin.Path());
    return version.empty() ? kExitProblem : kExitDone;
}

}  // namespace host
