// Where the suite lives: the installation root, the "CFGPATH" file and the project directory.
#include "launch/install_paths.h"

#include "launch/reg_key.h"
#include "os/os.h"
#include "text/gbk_text.h"

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

std::optional<std::vector<std::string>> ReadCfgPath(const std::string& root) {
    os::File file;
    if (file.OpenExclusiveRead(CfgPathFile(root)) != os::kSuccess) return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    while (file.ReadLine(line)) lines.push_back(line);
    return lines;
}

bool CfgPathHasKey(const std::string& key) {
    const std::string wanted = gbk::Upper(key);
    const std::optional<std::vector<std::string>> lines = ReadCfgPath(GetInstallRoot());
    if (!lines) return false;
    for (const std::string& line : *lines) {
        if (gbk::Upper(line) == wanted) return true;
    }
    return false;
}
