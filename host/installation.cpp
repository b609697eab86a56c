// The installation as the plug-in would find it now.
#include "host/installation.h"

#include "core/gbk_text.h"
#include "os/os.h"

namespace host {

Installation ReadInstallation() {
    Installation installation;
    installation.root = GetInstallRoot();
    installation.cfgPath = CfgPathFile(installation.root);
    os::File file;
    installation.cfgReadable = file.OpenExclusiveRead(installation.cfgPath) == os::kSuccess;
    return installation;
}

ResolvedRun Resolve(const Installation& installation, const PlannedRun& run) {
    ResolvedRun resolved;
    const std::string program = run.upperCase ? gbk::Upper(run.program) : run.program;
    if (run.dirKey.empty()) {
        resolved.keyFound = true;
        resolved.dir = installation.root + "\\";
        resolved.command = ComposeCommand(resolved.dir, run.program, false);
        return resolved;
    }
    os::File file;
    if (file.OpenExclusiveRead(installation.cfgPath) != os::kSuccess) return resolved;
    resolved.keyFound = FindKeyDir(file, run.dirKey, run.match, resolved.dir);
    if (resolved.keyFound) {
        resolved.command = ComposeCommand(resolved.dir, program, run.helpDocuments);
    }
    return resolved;
}

bool CoreDirectory(const Installation& installation, std::string& dir) {
    os::File file;
    if (file.OpenExclusiveRead(installation.cfgPath) != os::kSuccess) return false;
    if (!FindKeyDir(file, "CORE", KeyMatch::First, dir)) return false;
    if (!dir.empty()) dir.pop_back();
    return true;
}

}  // namespace host
