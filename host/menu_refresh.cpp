// `truvhost menu --refresh`: "menu.txt" replaced, the old file kept beside it.
#include "host/menu_refresh.h"

#include "host/file_bytes.h"
#include "model/menu_file.h"
#include "os/os.h"

namespace host {
namespace {

constexpr const char* kBackupSuffix = ".bak";

const char* WhatFailed(WriteStep step) {
    switch (step) {
        case WriteStep::kCreate:
            return "cannot create a temporary file beside";
        case WriteStep::kWrite:
            return "cannot write the new";
        case WriteStep::kMove:
            return "cannot move the new file to";
    }
    return "cannot write";
}

/// Writes `bytes` as the file `path` with the plug-in's own atomic and durable write.
bool ReplaceWhole(const std::string& path, const std::string& bytes, std::string& error) {
    WriteStep failedStep = WriteStep::kCreate;
    const os::Status status =
        WriteFileAtomically(path, bytes, /*replaceExisting=*/true, &failedStep);
    if (status == os::kSuccess) return true;
    error = std::string(WhatFailed(failedStep)) + " " + path + ": error " + std::to_string(status);
    const std::string reason = os::ErrorText(status);
    if (!reason.empty()) error += " (" + reason + ")";
    return false;
}

}  // namespace

std::string BackupName(const std::string& path) {
    return path + kBackupSuffix;
}

bool RefreshMenuFile(const std::string& path, const std::string& current, std::string& error) {
    // A folder that cannot be listed is no proof that nothing stands there to be kept.
    if (os::PatternExists(path) || os::LastError() != os::kFileNotFound) {
        std::string old;
        std::string reason;
        if (!ReadFileBytes(path, kMenuFileLimit, old, reason)) {
            error = path + " " + reason + "; it was left as it is";
            return false;
        }
        if (!ReplaceWhole(BackupName(path), old, error)) return false;
    }
    return ReplaceWhole(path, current, error);
}

}  // namespace host
