// Win32 half of the wildcard search: the system's own calls.
#include "os/os.h"
#include "os/win32/system_calls.h"
#include "os/win32/windows_support.h"

namespace os {

namespace {

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

/// Closes a search on every way out, a visitor's failed allocation included.
struct SearchHandle {
    explicit SearchHandle(HANDLE opened) : handle(opened) {}
    HANDLE handle;
    SearchHandle(const SearchHandle&) = delete;
    SearchHandle& operator=(const SearchHandle&) = delete;
    ~SearchHandle() {
        if (handle != INVALID_HANDLE_VALUE) FindClose(handle);
    }
};

/// Walks the matches of `pattern`, skipping "." and "..", until `visit` returns false.
template <typename Visitor>
void ForEachMatch(const std::string& pattern, Visitor visit) {
    WIN32_FIND_DATAA entry;
    const SearchHandle search{win32::systemCalls.findFirstFile(pattern.c_str(), &entry)};
    if (search.handle == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if (!IsDotEntry(entry.cFileName) && !visit(entry.cFileName)) {
            break;
        }
    } while (win32::systemCalls.findNextFile(search.handle, &entry));
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

}  // namespace os
