// `truvhost menu --refresh`: "menu.txt" replaced, the old file kept beside it.
#include "host/menu_refresh.h"

#include "host/file_bytes.h"
#include "os/os.h"

namespace host {
namespace {

constexpr const char* kBackupSuffix = ".bak";
constexpr const char* kTemporarySuffix = ".new";

std::string Failure(const std::string& what, const std::string& path, os::Status status) {
    std::string text = what + " " + path + ": error " + std::to_string(status);
    const std::string reason = os::ErrorText(status);
    return reason.empty() ? text : text + " (" + reason + ")";
}

/// Writes `bytes` under a temporary name beside `path` and moves it into place.
bool ReplaceWhole(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string temporary = path + kTemporarySuffix;
    os::DeleteFile(temporary);  // left by a refresh that did not finish
    os::File file;
    if (const os::Status status = file.CreateNew(temporary); status != os::kSuccess) {
        error = Failure("cannot create", temporary, status);
        return false;
    }
    const bool written = file.Write(bytes);
    const os::Status writeStatus = written ? os::kSuccess : os::LastError();
    if (!file.Close() || !written) {
        error = Failure("cannot write", temporary, written ? os::LastError() : writeStatus);
        os::DeleteFile(temporary);
        return false;
    }
    if (const os::Status status = os::MoveFileReplacing(temporary, path); status != os::kSuccess) {
        error = Failure("cannot move the new file to", path, status);
        os::DeleteFile(temporary);
        return false;
    }
    return true;
}

}  // namespace

std::string BackupName(const std::string& path) {
    return path + kBackupSuffix;
}

bool RefreshMenuFile(const std::string& path, const std::string& current, std::string& error) {
    if (os::PatternExists(path)) {
        std::string old;
        std::string reason;
        if (!ReadFileBytes(path, old, reason)) {
            error = path + " " + reason + "; it was left as it is";
            return false;
        }
        if (!ReplaceWhole(BackupName(path), old, error)) return false;
    }
    return ReplaceWhole(path, current, error);
}

}  // namespace host
