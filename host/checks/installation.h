// The installation as the plug-in would find it now: root, "CFGPATH" and the command lines.
#ifndef TRUV_HOST_CHECKS_INSTALLATION_H
#define TRUV_HOST_CHECKS_INSTALLATION_H

#include <cstddef>
#include <string>

#include "host/items/item_plan.h"
#include "plugin/inspect.h"

namespace host {

struct Installation {
    std::string cfgPath;  ///< root, '\', "CFGPATH"
    InstallationView view;
    /// The bytes of a registry value longer than kInstallRootLimit, which reads as no root;
    /// 0 otherwise.
    std::size_t rootTooLong = 0;
    bool cfgReadable() const { return view.cfgLines.has_value(); }
    const std::string& root() const { return view.root; }
};

/// Reads the registry value and "CFGPATH", as the run operations do.
Installation ReadInstallation();

/// Resolves `run` against `installation` with the run operation's own rules.
ResolvedRun Resolve(const Installation& installation, const PlannedRun& run);

/// The CORE directory that the first start puts on "PATH"; false when "CFGPATH" has no
/// "CORE" line.
bool CoreDirectory(const Installation& installation, std::string& dir);

}  // namespace host

#endif  // TRUV_HOST_CHECKS_INSTALLATION_H
