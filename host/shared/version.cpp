// Which build of the plug-in the host's own rules come from, against the library it loads.
#include "host/shared/version.h"

#include "host/shared/host_system.h"
#include "plugin/inspect.h"

namespace host {

std::string RulesMismatch(const std::string& path) {
    if (os::LookAtName(path).kind == os::NameInfo::Kind::kNothing) return {};
    const std::string version = LibraryVersion(path);
    if (version == HostVersion()) return {};
    return "this truvhost judges with the catalogue and rules of truvApp " + HostVersion() +
           ", but " + sys::PathText(path) + " is " +
           (version.empty() ? "of no stated version" : "version " + version) +
           "; its menu and items may differ, so nothing is judged. Use the truvhost of the "
           "library's own release.";
}

}  // namespace host
