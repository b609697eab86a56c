// The installation as the plug-in would find it now: root, "CFGPATH" and the command lines.
#ifndef TRUV_HOST_INSTALLATION_H
#define TRUV_HOST_INSTALLATION_H

#include <string>

#include "host/item_plan.h"
#include "launch/command_line.h"

namespace host {

struct Installation {
    std::string root;     ///< the registry value; empty when missing
    std::string cfgPath;  ///< root, '\', "CFGPATH"
    bool cfgReadable = false;
};

/// Reads the registry value and tries "CFGPATH", as the run operations do.
Installation ReadInstallation();

/// Where a planned start leads.
struct ResolvedRun {
    bool keyFound = false;  ///< the installation root, or a key line in "CFGPATH"
    std::string dir;        ///< the directory line (root and '\' for the root)
    ComposedCommand command;
};

/// Resolves `run` against `installation` exactly as its run operation would.
ResolvedRun Resolve(const Installation& installation, const PlannedRun& run);

/// The CORE directory that the first start puts on "PATH" (the directory line without its
/// last byte); false when "CFGPATH" has no "CORE" line.
bool CoreDirectory(const Installation& installation, std::string& dir);

}  // namespace host

#endif  // TRUV_HOST_INSTALLATION_H
