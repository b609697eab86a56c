// The one-time extension of "PATH" that precedes the first start of a program.
#include <string>

#include "core/gbk_text.h"
#include "core/message_box.h"
#include "launch/install_paths.h"
#include "launch/launcher.h"
#include "os/os.h"

namespace {

constexpr const char* kPathVariable = "PATH";
constexpr const char* kCoreKey = "CORE";
constexpr const char* kPathFailed = "设置CORE目录环境失败 !";
// A new value this long or longer is reported, although it stays set.
constexpr std::size_t kPathLimit = 1024;

/// The directory line after the first "CORE" key line, without its last byte (the trailing
/// backslash of a well-formed line); empty when there is none.
std::string CoreDirectory(os::File& cfgPath) {
    std::string line;
    while (cfgPath.ReadLine(line)) {
        if (gbk::Upper(line) != kCoreKey) continue;
        std::string dir;
        if (!cfgPath.ReadLine(dir) || dir.empty()) return std::string();
        dir.pop_back();
        return dir;
    }
    return std::string();
}

}  // namespace

void Launcher::PrepareEnvironment() {
    if (!pathPending) return;
    const std::string root = GetInstallRoot();
    std::string coreDir;
    {
        os::File cfgPath;
        if (cfgPath.OpenExclusiveRead(CfgPathFile(root)) == os::kSuccess &&
            ValidateWorkDir(workDir)) {
            coreDir = CoreDirectory(cfgPath);
        }
    }
    // The old value is read whole, whatever its length; an absent "PATH" counts as empty.
    const std::string oldPath = os::GetEnvironmentVariable(kPathVariable).value_or("");
    const char separator = os::PathListSeparator();
    const std::string newPath = root + separator + coreDir + separator + oldPath;
    const bool set = os::SetEnvironmentVariable(kPathVariable, newPath);
    if (!set || newPath.size() >= kPathLimit) ShowMessage(kPathFailed);
    pathPending = 0;
}
