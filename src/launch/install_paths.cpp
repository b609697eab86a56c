// Where the suite lives: the installation root, the "CFGPATH" file and the project directory.
#include "launch/install_paths.h"

#include <algorithm>

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
    if (key.Open(RootKey::kLocalMachine, kRootKeyPath, os::kKeyRead) == os::kSuccess) {
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
    std::string bytes;
    if (os::ReadSmallFile(CfgPathFile(root), kCfgPathLimit, os::Sharing::kExclusive, bytes) !=
        os::kSuccess) {
        return std::nullopt;
    }
    // Lines as a text-mode stream reads them: up to LF, a CR before it dropped, a last line
    // without LF kept. A line ends at a NUL byte, as for every reader of it as text: a
    // directory cut there would otherwise be started as the program.
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
        lines.back().resize(std::min(lines.back().size(), lines.back().find('\0')));
        start = next;
    }
    return lines;
}

std::optional<CfgPathReader> CfgPathReader::Open(const std::string& root) {
    std::optional<std::vector<std::string>> read = ReadCfgPath(root);
    if (!read) return std::nullopt;
    return CfgPathReader(std::move(*read));
}

bool CfgPathReader::ReadLine(std::string& line) {
    if (next >= lines.size()) return false;
    line = lines[next++];
    return true;
}

bool CfgPathHasKey(const std::string& key) {
    const std::string wanted = gbk::Upper(key);
    std::optional<CfgPathReader> file = CfgPathReader::Open(GetInstallRoot());
    if (!file) return false;
    bool found = false;
    for (std::string line; file->ReadLine(line);) found = found || gbk::Upper(line) == wanted;
    return found;
}
