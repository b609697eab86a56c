// POSIX half: the version mark in a library file.
#include <fstream>
#include <iterator>
#include <string>

#include "host/shared/version.h"

namespace host {
namespace {

constexpr const char kMark[] = "@(#)truvApp ";

}  // namespace

std::string HostVersion() {
    return TRUV_VERSION;
}

std::string LibraryVersion(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::size_t at = bytes.find(kMark);
    if (at == std::string::npos) return {};
    const std::size_t start = at + sizeof kMark - 1;
    return bytes.substr(start, bytes.find('\0', start) - start);
}

}  // namespace host
