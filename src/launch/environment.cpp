// The one-time extension of "PATH" that precedes the first start of a program.
#include <mutex>
#include <string>

#include "launch/install_paths.h"
#include "launch/launcher.h"
#include "launch/run_rules.h"
#include "model/message_box.h"
#include "model/trace.h"
#include "os/os.h"

namespace {
constexpr const char* kPathFailed = "设置CORE目录环境失败 !";
constexpr const char* kPathFailedLetter = "P";

// Two threads starting programs at once must not both extend "PATH".
std::mutex pathMutex;
}  // namespace

os::EnvironmentBlock Launcher::PrepareEnvironment(std::int32_t pending) {
    if (pending) ExtendPath();
    return os::EnvironmentBlock();
}

void Launcher::ExtendPath() {
    bool failed = false;
    std::string newPath;
    const char* outcome = nullptr;
    {
        const std::lock_guard<std::mutex> lock(pathMutex);
        // Another thread's start may have extended it since the flag was read.
        if (!pathPending) return;
        const std::string root = GetInstallRoot();
        std::string coreDir;
        const std::optional<std::vector<std::string>> cfgLines = ReadCfgPath(root);
        if (cfgLines && ValidateWorkDir(workDir)) coreDir = CoreDirectory(*cfgLines);
        // The old value is read whole, whatever its length; an absent "PATH" counts as empty.
        // One the system cannot hand over as GBK (a folder name GBK cannot spell) is left as
        // it is: set without it, the programs would lose the user's own folders.
        const std::optional<std::string> oldPath = os::GetEnvironmentVariable(kPathVariable);
        const bool readable = oldPath || os::LastError() != os::kInvalidName;
        newPath = ExtendedPath(root, coreDir, oldPath.value_or(""), os::PathListSeparator());
        const bool set = readable && os::SetEnvironmentVariable(kPathVariable, newPath);
        failed = !set || newPath.size() >= kPathLimit;
        outcome = !set ? "refused" : failed ? "set, too long" : "set";
        pathPending = 0;
    }
    // The trace and the box without the lock: a trace file may keep it waiting a moment, the
    // box waits for the user.
    trace::Event(trace::kPath, {newPath, outcome});
    if (failed) ShowMessage(kPathFailed, kPathFailedLetter);
}
