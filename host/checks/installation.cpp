// The installation as the plug-in would find it now.
#include "host/checks/installation.h"

#include "plugin/inspect.h"

#include <algorithm>
#include <vector>

namespace host {
namespace {

/// The length of the root value's text (up to its terminating NUL, when it has one) when it is
/// too long for the plug-in to read; 0 when it is not, or is not there.
std::size_t TooLongRootLength() {
    os::RegistryKey key = nullptr;
    if (os::RegistryOpen(kRootKeyPath, os::kKeyRead, key) != os::kSuccess) return 0;
    std::vector<char> value(kInstallRootLimit + 1);
    std::uint32_t size = static_cast<std::uint32_t>(value.size());
    os::Status status = os::RegistryQuery(key, kRootValueName, value.data(), size);
    if (status == os::kMoreData) {
        value.assign(size, '\0');
        status = os::RegistryQuery(key, kRootValueName, value.data(), size);
    }
    os::RegistryClose(key);
    if (status != os::kSuccess || size <= kInstallRootLimit) return 0;
    value.resize(std::min<std::size_t>(size, value.size()));
    return value.back() == '\0' ? value.size() - 1 : value.size();
}

}  // namespace

Installation ReadInstallation() {
    Installation installation;
    installation.view.root = GetInstallRoot();
    if (installation.view.root.empty()) installation.rootTooLong = TooLongRootLength();
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
    CfgPathReader file(*installation.view.cfgLines);
    if (!FindKeyDir(file, kCoreKey, KeyMatch::First, line)) return false;
    dir = ::CoreDirectory(*installation.view.cfgLines);
    return true;
}

}  // namespace host
