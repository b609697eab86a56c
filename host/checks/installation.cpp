// The installation as the plug-in would find it now.
#include "host/checks/installation.h"

#include "plugin/inspect.h"

namespace host {

Installation ReadInstallation() {
    Installation installation;
    installation.view.root = GetInstallRoot();
    installation.cfgPath = CfgPathFile(installation.view.root);
    installation.view.cfgLines = ReadCfgPath(installation.view.root);
    return installation;
}

ResolvedRun Resolve(const Installation& installation, const PlannedRun& run) {
    return ResolveRun(*run.mode, run.dirKey, run.program, installation.view);
}

bool CoreDirectory(const Installation& installation, std::string& dir) {
    if (!installation.cfgReadable()) return false;
    std::string line;
    if (!FindKeyDir(*installation.view.cfgLines, kCoreKey, KeyMatch::First, line)) return false;
    dir = ::CoreDirectory(*installation.view.cfgLines);
    return true;
}

}  // namespace host
