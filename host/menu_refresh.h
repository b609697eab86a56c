// `truvhost menu --refresh`: "menu.txt" replaced with the menu this plug-in writes, the old
// file kept beside it. (The plug-in itself never touches an existing "menu.txt".)
#ifndef TRUV_HOST_MENU_REFRESH_H
#define TRUV_HOST_MENU_REFRESH_H

#include <string>

namespace host {

/// The name under which the replaced file is kept: `path` followed by ".bak".
std::string BackupName(const std::string& path);

/// Makes `current` the content of `path`. What stood there is first kept as BackupName(path),
/// replacing an earlier backup. Each file is written as the plug-in writes its menu file
/// (WriteFileAtomically): whole, flushed to the disk, then moved into place, so that a reader
/// sees the old file or the new one, never a part, also after a power loss. False with `error`
/// when a step fails; an old file that cannot be read is not replaced.
bool RefreshMenuFile(const std::string& path, const std::string& current, std::string& error);

}  // namespace host

#endif  // TRUV_HOST_MENU_REFRESH_H
