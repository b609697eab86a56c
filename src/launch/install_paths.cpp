// Where the suite lives: the installation root, the "CFGPATH" file and the project directory.
#include "launch/install_paths.h"

#include "core/gbk_text.h"
#include "launch/reg_key.h"
#include "os/os.h"

namespace {
constexpr const char* kRootKeyPath = "SOFTWARE\\TRUV\\MAIN\\PATH";
constexpr const char* kRootValueName = "CFG";
constexpr const char* kCfgPathName = "CFGPATH";
}  // namespace

std::string GetInstallRoot() {
    // Read-only: the plug-in never creates the key nor writes any configuration.
    RegKey key;
    std::string root;
    if (key.Open(kRootKeyPath, os::kKeyRead) == os::kSuccess) {
        key.QueryString(kRootValueName, root);
    }
    key.Close();
    return root;
}

std::string CfgPathFile(const std::string& root) {
    return root + "\\" + kCfgPathName;
}

bool ValidateWorkDir(const std::string& dir) {
    return !dir.empty() && os::SetCurrentDirectory(dir);
}

bool FindKeyDir(os::File& file, const std::string& key, KeyMatch mode, std::string& dir) {
    bool found = false;
    dir.clear();
    std::string line;
    while (file.ReadLine(line)) {
        if (gbk::Upper(line) != key) continue;
        found = true;
        if (!file.ReadLine(dir)) dir.clear();
        if (mode == KeyMatch::First) break;
    }
    return found;
}

bool CfgPathHasKey(const std::string& key) {
    const std::string wanted = gbk::Upper(key);
    os::File file;
    if (file.OpenExclusiveRead(CfgPathFile(GetInstallRoot())) != os::kSuccess) return false;
    bool found = false;
    std::string line;
    while (file.ReadLine(line)) found = found || gbk::Upper(line) == wanted;
    return found;
}
