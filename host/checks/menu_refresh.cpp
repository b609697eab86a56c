// `truvhost menu --refresh`: "menu.txt" replaced, the old file kept beside it.
#include "host/checks/menu_refresh.h"

#include "host/platform/file_bytes.h"
#include "host/platform/host_system.h"
#include "plugin/inspect.h"

namespace host {
namespace {

constexpr const char* kBackupSuffix = ".bak";
constexpr int kBackupNames = 99;

const char* WhatFailed(os::WriteStep step) {
    switch (step) {
        case os::WriteStep::kCreate:
            return "cannot create a temporary file beside";
        case os::WriteStep::kWrite:
            return "cannot write the new";
        case os::WriteStep::kMove:
            return "cannot move the new file to";
    }
    return "cannot write";
}

std::string Reason(os::Status status) {
    const std::string reason = os::ErrorText(status);
    return "error " + std::to_string(status) + (reason.empty() ? "" : " (" + reason + ")");
}

/// What stands under `path`, in words, when the refresh leaves it alone; empty for a regular
/// file or nothing.
std::string Obstacle(const std::string& path) {
    switch (os::LookAtName(path).kind) {
        case os::NameInfo::Kind::kFolder:
            return "a folder";
        case os::NameInfo::Kind::kOther:
            return "a link, a pipe or a device, not a regular file";
        default:
            return {};
    }
}

/// Whether the file `path` holds `text`, and nothing else.
bool Holds(const std::string& path, const std::string& text) {
    std::string bytes;
    std::string ignored;
    return ReadFileBytes(path, kMenuFileLimit, bytes, ignored) && bytes == text;
}

/// Renames the file `path` to the first backup name not in use; the name chosen, or empty
/// with `error`. `unconfirmed` is the failure of the folder's flush when only that failed.
std::string KeepOldFile(const std::string& path, std::string& error, os::Status& unconfirmed) {
    for (int number = 1; number <= kBackupNames; ++number) {
        const std::string backup = BackupName(path, number);
        if (os::LookAtName(backup).kind != os::NameInfo::Kind::kNothing) continue;
        const os::Status moved = os::MoveFileDurably(path, backup, /*replaceExisting=*/false);
        if (moved == os::kSuccess) return backup;
        if (moved == os::kAlreadyExists || moved == os::kFileExists) continue;  // taken meanwhile
        // The rename happened, and only the folder could not be flushed after it: the old
        // file is kept all the same.
        if (os::LookAtName(path).kind == os::NameInfo::Kind::kNothing &&
            os::LookAtName(backup).kind == os::NameInfo::Kind::kFile) {
            unconfirmed = moved;
            return backup;
        }
        error = "cannot rename " + path + " to " + backup + ": " + Reason(moved) +
                "; it was left as it is";
        return {};
    }
    error = "every backup name from " + BackupName(path) + " to " + BackupName(path, kBackupNames) +
            " is in use; remove the old ones, then run again";
    return {};
}

}  // namespace

std::string BackupName(const std::string& path, int number) {
    return path + kBackupSuffix + (number > 1 ? std::to_string(number) : "");
}

RefreshResult RefreshMenuFile(const std::string& path, const std::string& current) {
    RefreshResult result;
    if (const std::string obstacle = Obstacle(path); !obstacle.empty()) {
        result.error = path + " is " + obstacle + "; it was left as it is." + RefreshAdvice(path);
        return result;
    }
    const os::NameInfo::Kind kind = os::LookAtName(path).kind;
    const os::Status lookedAt = os::LastError();
    // A name that cannot be looked at is no proof that nothing stands there to be kept.
    if (kind == os::NameInfo::Kind::kNothing && lookedAt != os::kFileNotFound &&
        lookedAt != os::kPathNotFound) {
        result.error =
            "cannot look at " + path + ": " + Reason(lookedAt) + "; it was left as it is";
        return result;
    }
    const bool exists = kind == os::NameInfo::Kind::kFile;
    os::Status unconfirmed = os::kSuccess;  // a flush of the folder that failed after a move
    if (exists) {
        if (Holds(path, current)) {
            result.outcome = RefreshOutcome::kAlreadyCurrent;
            return result;
        }
        result.backup = KeepOldFile(path, result.error, unconfirmed);
        if (result.backup.empty()) return result;
    }
    os::WriteStep failedStep = os::WriteStep::kCreate;
    // Replacing: a host that started meanwhile may have written the same menu there.
    const os::Status status =
        os::WriteFileAtomically(path, current, /*replaceExisting=*/true, &failedStep);
    result.outcome = exists ? RefreshOutcome::kReplaced : RefreshOutcome::kWritten;
    const bool moved =
        status == os::kSuccess || (failedStep == os::WriteStep::kMove && Holds(path, current));
    if (status != os::kSuccess && moved) unconfirmed = status;
    if (moved && unconfirmed != os::kSuccess) {
        result.notice =
            "the files were moved into place, but their folder could not be flushed "
            "to the disk (" +
            Reason(unconfirmed) +
            "): the moves are not confirmed durable, a power loss now may undo them";
    }
    if (moved) return result;
    if (status != os::kSuccess) {
        result.outcome = RefreshOutcome::kFailed;
        result.error = std::string(WhatFailed(failedStep)) + " " + path + ": " + Reason(status);
        // The old file goes back where it was, unless the new one got there after all. A move
        // whose folder flush failed has still happened: where the file is, is looked at.
        if (exists) {
            os::MoveFileDurably(result.backup, path, /*replaceExisting=*/false);
            const bool back = os::LookAtName(result.backup).kind == os::NameInfo::Kind::kNothing;
            result.error += back ? "; the old file was left as it is"
                                 : "; the old file is kept as " + result.backup;
        }
        result.backup.clear();
    }
    return result;
}

std::string RefreshAdvice(const std::string& path) {
    if (Obstacle(path).empty()) {
        return " Run `truvhost menu --refresh` to replace it with the current menu (the old file "
               "is kept as menu.txt.bak), then restart the host.";
    }
    return " Remove or rename it (`truvhost menu --refresh` replaces only a regular file); the "
           "plug-in writes menu.txt at the host's next start, or `truvhost menu --refresh` "
           "writes it now.";
}

}  // namespace host
