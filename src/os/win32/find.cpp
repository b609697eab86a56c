// Win32 half of wildcard search and deletion: the system's own search and file operations.
#include "os/os.h"
#include "os/win32/windows_support.h"

namespace os {

namespace {

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

/// Walks the matches of `pattern`, skipping "." and "..", until `visit` returns false.
template <typename Visitor>
void ForEachMatch(const std::string& pattern, Visitor visit) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if (!IsDotEntry(entry.cFileName) && !visit(entry.cFileName)) {
            break;
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

}  // namespace

// Names come from the ANSI calls, in the suite's code page.
NameEncoding FileNameEncoding() {
    return NameEncoding::kGbk;
}

bool PatternExists(const std::string& pattern) {
    bool found = false;
    ForEachMatch(pattern, [&found](const char*) {
        found = true;
        return false;  // one match is enough
    });
    return found;
}

std::vector<std::string> FindMatches(const std::string& pattern) {
    std::vector<std::string> names;
    ForEachMatch(pattern, [&names](const char* name) {
        names.emplace_back(name);
        return true;
    });
    return names;
}

Status DeleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) ? kSuccess : GetLastError();
}

Status MoveFileReplacing(const std::string& from, const std::string& to) {
    // REPLACE_EXISTING: the new file takes the old one's place in one step; no COPY_ALLOWED,
    // since both lie in one directory and a copy would not be atomic.
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) ? kSuccess
                                                                            : GetLastError();
}

}  // namespace os
