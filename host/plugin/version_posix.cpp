// POSIX half: the version mark in a library file.
#include <string>

#include "host/plugin/version.h"
#include "plugin/inspect.h"

namespace host {
namespace {

constexpr const char kMark[] = "@(#)truvApp ";
// The library is about 1 MB, with its debugging information a few; a larger file is none.
constexpr std::size_t kLibraryLimit = 64 << 20;

}  // namespace

std::string HostVersion() {
    return TRUV_VERSION;
}

std::string LibraryVersion(const std::string& path) {
    // Read as the plug-in reads its small files: never waiting on a pipe, a regular file only.
    std::string bytes;
    if (os::ReadSmallFile(path, kLibraryLimit, os::Sharing::kShared, bytes) != os::kSuccess) {
        return {};
    }
    const std::size_t at = bytes.find(kMark);
    if (at == std::string::npos) return {};
    const std::size_t start = at + sizeof kMark - 1;
    const std::size_t end = bytes.find('\0', start);
    if (end == std::string::npos) return {};  // the file ends inside the mark
    return StatedVersion(std::string_view(bytes).substr(start, end - start));
}

}  // namespace host
