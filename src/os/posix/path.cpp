// POSIX half of the OS seam: Windows path names on a case-sensitive file system.
//
// Path names are the file system's own bytes, UTF-8 (posix_support.h). '\' separates path
// elements like '/'. Each element that does not exist as spelled is looked up in its directory
// without regard to ASCII case, the exact spelling first, then the first entry in name order.
// Starts resolve paths all the time, so the common cases come first: a path that exists as
// spelled costs one stat, one whose directory exists as spelled one or two stats more and at
// most one directory listing; only otherwise are the elements walked one by one. The result is
// the same. Drive letters have no meaning here: "D:" is an ordinary element name.
#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <optional>

#include "os/posix/posix_support.h"
#include "os/posix/system_calls.h"
#include "text/gbk_text.h"

namespace os::posix {
namespace {

char FoldCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsSeparator(char byte) {
    return byte == '/' || byte == '\\';
}

std::vector<std::string> SplitElements(std::string_view path) {
    std::vector<std::string> elements;
    std::string current;
    for (const char byte : path) {
        if (!IsSeparator(byte)) {
            current += byte;
        } else if (!current.empty()) {
            elements.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty()) {
        elements.push_back(std::move(current));
    }
    return elements;
}

std::string UpperCased(std::string_view name) {
    std::string upper(name);
    for (char& byte : upper) {
        byte = FoldCase(byte);
    }
    return upper;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return systemCalls.lstat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return systemCalls.stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The name of the entry of `dir` that equals `element` without regard to case, if any: the
// exact spelling, else the first in name order. `listed` tells whether `dir` could be listed.
std::optional<std::string> FindEntryIgnoringCase(const std::string& dir, const std::string& element,
                                                 bool* listed = nullptr) {
    DIR* stream = systemCalls.opendir(dir.c_str());
    if (listed != nullptr) {
        *listed = stream != nullptr;
    }
    if (stream == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> found;
    while (const dirent* entry = systemCalls.readdir(stream)) {
        const std::string_view name = entry->d_name;
        if (name == element) {
            found = std::string(name);
            break;
        }
        if (SameNameIgnoringCase(name, element) && (!found || name < *found)) {
            found = std::string(name);
        }
    }
    systemCalls.closedir(stream);
    return found;
}

std::string Join(const std::string& dir, const std::string& element) {
    if (dir.empty()) {
        return element;
    }
    return dir.back() == '/' ? dir + element : dir + "/" + element;
}

// The element walk: each element as spelled, else its case-blind match in its directory.
ResolvedPath WalkElements(std::string_view windowsPath) {
    ResolvedPath result;
    const std::vector<std::string> elements = SplitElements(windowsPath);
    std::string path = IsSeparator(windowsPath[0]) ? "/" : "";
    bool allExist = true;
    for (std::size_t index = 0; index < elements.size(); ++index) {
        const std::string& element = elements[index];
        if (index + 1 == elements.size()) {
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
    if (!elements.empty() && IsSeparator(windowsPath.back())) {
        path += '/';
    }
    result.path = path;
    result.exists = allExist;
    result.isDirectory = allExist && IsDirectory(path);
    return result;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t pos = 0; pos < a.size();) {
        const std::size_t length = gbk::CharLength(a, pos);
        if (length == 2) {
            if (a.substr(pos, 2) != b.substr(pos, 2)) {
                return false;
            }
        } else if (FoldCase(a[pos]) != FoldCase(b[pos]) || gbk::IsLeadByte(b[pos])) {
            return false;
        }
        pos += length;
    }
    return true;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t pos = 0; pos < a.size(); ++pos) {
        if (FoldCase(a[pos]) != FoldCase(b[pos])) {
            return false;
        }
    }
    return true;
}

std::size_t LastSeparator(std::string_view path) {
    return path.find_last_of("/\\");
}

ResolvedPath ResolveBeside(const ResolvedPath& sibling, std::string_view siblingPath,
                           std::string_view windowsPath) {
    const std::size_t folderEnd = LastSeparator(windowsPath) + 1;  // 0 without a separator
    const bool beside = folderEnd < windowsPath.size() && folderEnd < siblingPath.size() &&
                        LastSeparator(siblingPath) + 1 == folderEnd &&
                        siblingPath.substr(0, folderEnd) == windowsPath.substr(0, folderEnd);
    if (!beside) {
        return ResolvePath(windowsPath);
    }
    const std::size_t resolvedFolderEnd = sibling.path.rfind('/') + 1;
    return {sibling.path.substr(0, resolvedFolderEnd) + std::string(windowsPath.substr(folderEnd)),
            false, sibling.parentExists, false};
}

std::string SpelledPath(std::string_view windowsPath) {
    std::string spelled(windowsPath);
    for (char& byte : spelled) {
        if (byte == '\\') {
            byte = '/';
        }
    }
    return spelled;
}

ResolvedPath ResolvePath(std::string_view windowsPath) {
    if (windowsPath.empty()) {
        return {};
    }
    // The fast path: the name as spelled. stat follows a link, so a dangling link is left to
    // the walk, which finds the link itself.
    std::string spelled = SpelledPath(windowsPath);
    struct stat info {};
    if (systemCalls.stat(spelled.c_str(), &info) == 0) {
        return {std::move(spelled), true, true, S_ISDIR(info.st_mode)};
    }
    // Most often only the last element differs (an upper-cased program name). When the
    // directory exists as spelled, the walk would take every element before it as spelled:
    // only the last one is looked up. Whether the directory exists, its listing tells (or the
    // upper-case name found in it); only a directory that cannot be listed for another reason
    // than its absence is looked at.
    const std::size_t separator = spelled.rfind('/');
    if (separator != std::string::npos && separator + 1 < spelled.size()) {
        const std::string dir = spelled.substr(0, separator + 1);
        const std::string element = spelled.substr(separator + 1);
        // Of all spellings of a name, the upper-case one comes first in name order: when it
        // exists, the listing would pick it.
        const std::string upper = UpperCased(element);
        bool listed = true;
        const std::optional<std::string> entry = upper != element && Exists(dir + upper)
                                                     ? upper
                                                     : FindEntryIgnoringCase(dir, element, &listed);
        const bool noDirectory = !listed && (errno == ENOENT || errno == ENOTDIR);
        if (listed || (!noDirectory && IsDirectory(dir))) {
            if (!entry) {
                return {std::move(spelled), false, true, false};
            }
            std::string path = dir + *entry;
            const bool isDirectory = IsDirectory(path);
            return {std::move(path), true, true, isDirectory};
        }
    }
    return WalkElements(windowsPath);
}

}  // namespace os::posix
