// POSIX half of the OS seam: Windows path names on a case-sensitive file system.
//
// '\' separates path elements like '/', except as the trail byte of a GBK double-byte
// character. An element that does not exist as spelled is looked up in its directory without
// regard to ASCII case; the exact spelling wins, then the first entry in name order. Drive
// letters have no meaning here: "D:" is an ordinary element name.
#include <dirent.h>
#include <sys/stat.h>

#include <optional>

#include "os/posix/posix_support.h"

namespace os::posix {
namespace {

char FoldCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsSeparator(std::string_view text, std::size_t pos) {
    return text[pos] == '/' || text[pos] == '\\';
}

std::vector<std::string> SplitElements(std::string_view path) {
    std::vector<std::string> elements;
    std::string current;
    for (std::size_t pos = 0; pos < path.size();) {
        const std::size_t length = GbkCharLength(path, pos);
        if (length == 1 && IsSeparator(path, pos)) {
            if (!current.empty()) {
                elements.push_back(current);
            }
            current.clear();
        } else {
            current.append(path.substr(pos, length));
        }
        pos += length;
    }
    if (!current.empty()) {
        elements.push_back(current);
    }
    return elements;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The name of the entry of `dir` that equals `element` without regard to case, if any.
std::optional<std::string> FindEntryIgnoringCase(const std::string& dir,
                                                 const std::string& element) {
    DIR* stream = opendir(dir.c_str());
    if (stream == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> found;
    while (const dirent* entry = readdir(stream)) {
        const std::string_view name = entry->d_name;
        if (EqualsIgnoringCase(name, element) && (!found || name < *found)) {
            found = std::string(name);
        }
    }
    closedir(stream);
    return found;
}

std::string Join(const std::string& dir, const std::string& element) {
    if (dir.empty()) {
        return element;
    }
    return dir.back() == '/' ? dir + element : dir + "/" + element;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t pos = 0; pos < a.size();) {
        const std::size_t length = GbkCharLength(a, pos);
        if (length == 2) {
            if (a.substr(pos, 2) != b.substr(pos, 2)) {
                return false;
            }
        } else if (FoldCase(a[pos]) != FoldCase(b[pos]) || IsGbkLead(b[pos])) {
            return false;
        }
        pos += length;
    }
    return true;
}

std::size_t LastSeparator(std::string_view path) {
    std::size_t last = std::string_view::npos;
    for (std::size_t pos = 0; pos < path.size(); pos += GbkCharLength(path, pos)) {
        if (GbkCharLength(path, pos) == 1 && IsSeparator(path, pos)) {
            last = pos;
        }
    }
    return last;
}

ResolvedPath ResolvePath(std::string_view windowsPath) {
    ResolvedPath result;
    if (windowsPath.empty()) {
        return result;
    }
    const bool absolute = IsSeparator(windowsPath, 0);
    const std::vector<std::string> elements = SplitElements(windowsPath);
    std::string path = absolute ? "/" : "";
    bool allExist = true;
    for (std::size_t index = 0; index < elements.size(); ++index) {
        const std::string& element = elements[index];
        const bool last = index + 1 == elements.size();
        if (last) {
            result.parentExists = allExist && (path.empty() || IsDirectory(path));
        }
        std::string candidate = Join(path, element);
        if (allExist && !Exists(candidate)) {
            const std::optional<std::string> entry =
                FindEntryIgnoringCase(path.empty() ? "." : path, element);
            if (entry) {
                candidate = Join(path, *entry);
            } else {
                allExist = false;
            }
        }
        path = candidate;
    }
    if (elements.empty()) {
        result.parentExists = true;
    }
    if (!elements.empty() && LastSeparator(windowsPath) == windowsPath.size() - 1) {
        path += '/';
    }
    result.path = path;
    result.exists = allExist;
    return result;
}

}  // namespace os::posix
