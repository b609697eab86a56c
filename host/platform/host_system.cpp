// The host's system rules that both platforms share: path names are GBK on both, for the
// POSIX backend translates the file system's UTF-8 at its seam.
#include "host/platform/host_system.h"

#include "plugin/inspect.h"

namespace host::sys {

// A GBK trail byte may be 0x5C: only a separator that starts a character counts.
std::size_t LastSeparator(const std::string& path) {
    std::size_t last = std::string::npos;
    for (std::size_t pos = 0; pos < path.size(); pos += gbk::CharLength(path, pos)) {
        if (path[pos] == '\\' || path[pos] == '/') last = pos;
    }
    return last;
}

}  // namespace host::sys
