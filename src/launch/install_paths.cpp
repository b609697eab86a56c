// Where the suite lives: the installation root, the "CFGPATH" file and the project directory.
#include "launch/install_paths.h"

#include "launch/reg_key.h"
#include "os/os.h"
#include "text/gbk_text.h"

namespace {
constexpr const char* kCfgPathName = "CFGPATH";
// A real "CFGPATH" holds a few kilobytes; a larger one counts as unreadable.
constexpr std::size_t kCfgPathLimit = 1 << 20;
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
    std::string bytes;
    char chunk[4096];
    for (;;) {
        const long count = file.Read(chunk, sizeof chunk);
        if (count == 0) break;
        if (count < 0 || bytes.size() + static_cast<std::size_t>(count) > kCfgPathLimit) {
            return std::nullopt;
        }
        bytes.append(chunk, static_cast<std::size_t>(count));
    }
    // Lines as a text-mode stream reads them: up to LF, a CR before it dropped, a last line
    // without LF kept.
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) {
            end = bytes.size();
        } else if (end > start && bytes[end - 1] == '\r') {
            --end;
        }
        lines.emplace_back(bytes, start, end - start);
        start = next;
    }
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
