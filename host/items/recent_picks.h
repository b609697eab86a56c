// The items a user picked last, remembered between runs of the host: the window host shows
// them in a menu before the groups, the console's numbered menu offers them as 'r'.
#ifndef TRUV_HOST_ITEMS_RECENT_PICKS_H
#define TRUV_HOST_ITEMS_RECENT_PICKS_H

#include <cstddef>
#include <cstdint>
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

/// The keys of a file's text, whatever menu they belong to, each once, at most kRecentLimit;
/// none when the text does not begin with the header.
std::vector<std::string> ParseRecentKeys(const std::string& bytes);

/// The keys of `first`, then those of `then` not among them, at most kRecentLimit.
std::vector<std::string> MergeRecent(const std::vector<std::string>& first,
                                     const std::vector<std::string>& then);

/// Held while the file is read again and written, so that two hosts of one user take turns:
/// a lock on "recent-picks.txt.lock" beside it, which stays there, empty. It waits a short
/// while for another host to finish, then goes on without it (Held false); a lock file that
/// is no regular file is never waited on.
class PicksLock {
public:
    explicit PicksLock(const std::string& path);
    PicksLock(const PicksLock&) = delete;
    PicksLock& operator=(const PicksLock&) = delete;
    ~PicksLock();

    bool Held() const { return held_; }

private:
    std::intptr_t native_;
    bool held_ = false;
};

/// The recent picks of a folder's file, read at the start, and after every pick merged with
/// what the file holds then (another host of the user may have written picks of its own, also
/// of items of another menu, which are kept) and written again, under a PicksLock: atomically,
/// a new temporary file renamed over the old, never left behind. An empty folder keeps them
/// in memory only.
class RecentPicks {
public:
    RecentPicks(std::string folder, const MenuTree& tree);

    const std::vector<std::string>& Keys() const { return keys_; }

    /// Notes a pick; false when the file could not be written (the list changes all the same).
    /// The list is then the file's, the other hosts' picks included.
    bool Note(const std::string& key);

private:
    std::string folder_;
    const MenuTree& tree_;
    std::vector<std::string> keys_;     // the keys the menu has, shown
    std::vector<std::string> written_;  // every key of the file, last read or written
};

/// The folder of the file: the one kRecentFolderVariable names; else, unless `autoOk`, the
/// user's state folder (Windows: %APPDATA%\truvhost; POSIX: $XDG_STATE_HOME/truvhost, or
/// ~/.local/state/truvhost); empty when there is none.
std::string RecentFolder(bool autoOk);

}  // namespace host

#endif  // TRUV_HOST_ITEMS_RECENT_PICKS_H
