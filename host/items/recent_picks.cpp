// The items a user picked last.
#include "host/items/recent_picks.h"

#include <algorithm>

#include "host/platform/file_bytes.h"
#include "host/platform/host_system.h"
#include "plugin/inspect.h"

namespace host {
namespace {

constexpr const char* kHeader = "truvhost recent picks 1\n";
constexpr const char* kTemporarySuffix = ".new";
constexpr const char* kLockSuffix = ".lock";

bool WriteNewFile(const std::string& path, const std::string& bytes) {
    os::File file;
    if (file.CreateNew(path) != os::kSuccess) return false;
    const bool written = file.Write(bytes) && file.Flush();
    return file.Close() && written;
}

template <typename Wanted>
std::vector<std::string> KeysOf(const std::string& bytes, const Wanted& wanted) {
    std::vector<std::string> keys;
    if (!bytes.starts_with(kHeader)) return keys;
    std::size_t start = std::char_traits<char>::length(kHeader);
    while (start < bytes.size() && keys.size() < kRecentLimit) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        const std::string key = bytes.substr(start, end - start);
        if (!key.empty() && wanted(key) && std::find(keys.begin(), keys.end(), key) == keys.end()) {
            keys.push_back(key);
        }
        start = end + 1;
    }
    return keys;
}

std::vector<std::string> ReadKeys(const std::string& path) {
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(path, kRecentFileLimit, bytes, error)) return {};
    return ParseRecentKeys(bytes);
}

std::vector<std::string> KeysIn(const std::vector<std::string>& keys, const MenuTree& tree) {
    std::vector<std::string> known;
    for (const std::string& key : keys) {
        if (tree.HasKey(key)) known.push_back(key);
    }
    return known;
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
    return KeysOf(bytes, [&tree](const std::string& key) { return tree.HasKey(key); });
}

std::vector<std::string> ParseRecentKeys(const std::string& bytes) {
    return KeysOf(bytes, [](const std::string&) { return true; });
}

std::vector<std::string> MergeRecent(const std::vector<std::string>& first,
                                     const std::vector<std::string>& then) {
    std::vector<std::string> merged;
    for (const std::vector<std::string>* keys : {&first, &then}) {
        for (const std::string& key : *keys) {
            if (merged.size() < kRecentLimit &&
                std::find(merged.begin(), merged.end(), key) == merged.end()) {
                merged.push_back(key);
            }
        }
    }
    return merged;
}

RecentPicks::RecentPicks(std::string folder, const MenuTree& tree)
    : folder_(std::move(folder)), tree_(tree) {
    if (folder_.empty()) return;
    written_ = ReadKeys(sys::Join(folder_, kRecentFileName));
    keys_ = KeysIn(written_, tree_);
}

bool RecentPicks::Note(const std::string& key) {
    keys_ = AfterPick(keys_, key);
    if (folder_.empty() || !sys::MakeFolders(folder_)) return false;
    const std::string path = sys::Join(folder_, kRecentFileName);
    const PicksLock lock(path + kLockSuffix);
    // What the file holds now first: the picks of another host since this one read it, then
    // picks of this host that a failed write kept from it.
    const std::vector<std::string> keys =
        AfterPick(MergeRecent(ReadKeys(path), MergeRecent(keys_, written_)), key);
    keys_ = KeysIn(keys, tree_);
    const std::string temporary = path + kTemporarySuffix;
    os::DeleteFile(temporary);  // left by a host that ended while writing
    const bool written = WriteNewFile(temporary, FormatRecent(keys)) &&
                         os::MoveFileDurably(temporary, path, true) == os::kSuccess;
    if (!written) {
        os::DeleteFile(temporary);
        return false;
    }
    written_ = keys;
    return true;
}

std::string RecentFolder(bool autoOk) {
    const std::optional<std::string> named = os::GetEnvironmentVariable(kRecentFolderVariable);
    if (named && !named->empty()) return *named;
    if (autoOk) return {};
    const std::string state = sys::UserStateFolder();
    return state.empty() ? state : sys::Join(state, "truvhost");
}

}  // namespace host
