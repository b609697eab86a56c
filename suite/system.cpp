// The platform-independent part of the suite's system helpers.
#include "suite/system.h"

namespace suite::sys {
namespace {

/// Scans forwards so that the trail byte of a double-byte character (which may be '\')
/// is never taken for a separator.
std::size_t LastSeparator(const std::string& path) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(path[i])) {
            ++i;
        } else if (IsSeparator(path[i])) {
            last = i;
        }
    }
    return last;
}

}  // namespace

std::string Join(const std::string& dir, const std::string& name) {
    if (dir.empty() || LastSeparator(dir) == dir.size() - 1) return dir + name;
    return dir + Separator() + name;
}

std::string DirName(const std::string& path) {
    std::size_t last = LastSeparator(path);
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

std::string BaseName(const std::string& path) {
    std::size_t last = LastSeparator(path);
    return last == std::string::npos ? path : path.substr(last + 1);
}

}  // namespace suite::sys
