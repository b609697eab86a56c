// `truvhost menu --refresh`: "menu.txt" replaced with the menu this plug-in writes, the old
// file kept beside it. (The plug-in itself never touches an existing "menu.txt".)
#ifndef TRUV_HOST_CHECKS_MENU_REFRESH_H
#define TRUV_HOST_CHECKS_MENU_REFRESH_H

#include <string>

namespace host {

/// The name under which the `number`-th kept file is stored: `path` followed by ".bak", then
/// ".bak2", ".bak3" and on.
std::string BackupName(const std::string& path, int number = 1);

enum class RefreshOutcome {
    kWritten,         ///< there was no file: it was written
    kReplaced,        ///< the old file was kept under `backup` and the current menu written
    kAlreadyCurrent,  ///< the file holds the current menu: nothing was changed
    kFailed,          ///< nothing was replaced; `error` says why and what to do
};

struct RefreshResult {
    RefreshOutcome outcome = RefreshOutcome::kFailed;
    std::string backup;  ///< where the old file is kept (kReplaced)
    std::string error;   ///< GBK, the path as the console shows it (kFailed)
    /// kWritten, kReplaced: empty, or what is not confirmed: the old file or the new one was
    /// moved, but the folder could not be flushed to the disk after the move.
    std::string notice;
};

/// Makes `current` the content of `path`. Only a regular file is replaced, looked at without
/// following a link: a link, a folder, a pipe or a device under that name is left as it is.
/// A file that already holds `current` is left as it is. Otherwise the old file is renamed,
/// never copied, to the first backup name not in use (no backup is ever overwritten, and the
/// kept file keeps its owner and permissions), and `current` is written as the plug-in writes
/// its menu file (WriteFileAtomically): whole, flushed to the disk, then moved into place. When
/// only the flush of the folder failed after a move (the backup's or the new file's), the
/// file was moved all the same: the refresh goes on, and `notice` says that the moves are not
/// confirmed durable.
RefreshResult RefreshMenuFile(const std::string& path, const std::string& current);

/// What to tell the user to do with the file at `path` when it is not the current menu:
/// run the refresh where it will replace what stands there, otherwise remove or rename it.
std::string RefreshAdvice(const std::string& path);

}  // namespace host

#endif  // TRUV_HOST_CHECKS_MENU_REFRESH_H
