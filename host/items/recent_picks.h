// The items a user picked last, remembered between runs of the host: the window host shows
// them in a menu before the groups, the console's numbered menu offers them as 'r'.
#ifndef TRUV_HOST_RECENT_PICKS_H
#define TRUV_HOST_RECENT_PICKS_H

#include <cstddef>
#include <string>
#include <vector>

#include "host/items/menu_file_reader.h"

namespace host {

inline constexpr std::size_t kRecentLimit = 10;
/// Ten keys take under 1 KB; a larger file is not ours and is ignored.
inline constexpr std::size_t kRecentFileLimit = 16 * 1024;
inline constexpr const char* kRecentFileName = "recent-picks.txt";
/// Names the folder of the file; tests and --auto-ok runs write none without it.
inline constexpr const char* kRecentFolderVariable = "TRUVHOST_STATE_DIR";

/// `recent` after a pick of `key`: the key first, the others after it in their order, at most
/// kRecentLimit.
std::vector<std::string> AfterPick(const std::vector<std::string>& recent, const std::string& key);

/// The file's text: a header line, then one key per line.
std::string FormatRecent(const std::vector<std::string>& keys);

/// The keys of a file's text that `tree` has, each once, at most kRecentLimit; none when the
/// text does not begin with the header (damaged or foreign).
std::vector<std::string> ParseRecent(const std::string& bytes, const MenuTree& tree);

/// The recent picks of a folder's file, read once and written again (atomically: a new
/// temporary file renamed over the old) after every pick. An empty folder keeps them in
/// memory only.
class RecentPicks {
public:
    RecentPicks(std::string folder, const MenuTree& tree);

    const std::vector<std::string>& Keys() const { return keys_; }

    /// Notes a pick; false when the file could not be written (the list changes all the same).
    bool Note(const std::string& key);

private:
    std::string folder_;
    std::vector<std::string> keys_;
};

/// The folder of the file: the one kRecentFolderVariable names; else, unless `autoOk`, the
/// user's state folder (Windows: %APPDATA%\truvhost; POSIX: $XDG_STATE_HOME/truvhost, or
/// ~/.local/state/truvhost); empty when there is none.
std::string RecentFolder(bool autoOk);

}  // namespace host

#endif  // TRUV_HOST_RECENT_PICKS_H
