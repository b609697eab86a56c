// The items a user picked last.
#include "host/items/recent_picks.h"

#include <algorithm>

#include "host/shared/file_bytes.h"
#include "host/shared/host_system.h"
#include "plugin/inspect.h"

namespace host {
namespace {

constexpr const char* kHeader = "truvhost recent picks 1\n";
constexpr const char* kTemporarySuffix = ".new";

bool WriteNewFile(const std::string& path, const std::string& bytes) {
    os::File file;
    if (file.CreateNew(path) != os::kSuccess) return false;
    const bool written = file.Write(bytes) && file.Flush();
    return file.Close() && written;
}

}  // namespace

std::vector<std::string> AfterPick(const std::vector<std::string>& recent, const std::string& key) {
    std::vector<std::string> after{key};
    for (const std::string& earlier : recent) {
        if (earlier != key && after.size() < kRecentLimit) after.push_back(earlier);
    }
    return after;
}

std::string FormatRecent(const std::vector<std::string>& keys) {
    std::string text = kHeader;
    for (const std::string& key : keys) text += key + "\n";
    return text;
}

std::vector<std::string> ParseRecent(const std::string& bytes, const MenuTree& tree) {
    std::vector<std::string> keys;
    if (!bytes.starts_with(kHeader)) return keys;
    std::size_t start = std::char_traits<char>::length(kHeader);
    while (start < bytes.size() && keys.size() < kRecentLimit) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        const std::string key = bytes.substr(start, end - start);
        if (tree.HasKey(key) && std::find(keys.begin(), keys.end(), key) == keys.end()) {
            keys.push_back(key);
        }
        start = end + 1;
    }
    return keys;
}

RecentPicks::RecentPicks(std::string folder, const MenuTree& tree) : folder_(std::move(folder)) {
    if (folder_.empty()) return;
    std::string bytes;
    std::string error;
    if (ReadFileBytes(sys::Join(folder_, kRecentFileName), kRecentFileLimit, bytes, error)) {
        keys_ = ParseRecent(bytes, tree);
    }
}

bool RecentPicks::Note(const std::string& key) {
    keys_ = AfterPick(keys_, key);
    if (folder_.empty() || !sys::MakeFolders(folder_)) return false;
    const std::string path = sys::Join(folder_, kRecentFileName);
    const std::string temporary = path + kTemporarySuffix;
    os::DeleteFile(temporary);  // left by a host that ended while writing
    if (!WriteNewFile(temporary, FormatRecent(keys_))) return false;
    return os::MoveFileDurably(temporary, path, true) == os::kSuccess;
}

std::string RecentFolder(bool autoOk) {
    const std::optional<std::string> named = os::GetEnvironmentVariable(kRecentFolderVariable);
    if (named && !named->empty()) return *named;
    if (autoOk) return {};
    const std::string state = sys::UserStateFolder();
    return state.empty() ? state : sys::Join(state, "truvhost");
}

}  // namespace host
