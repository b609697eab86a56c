// Reading a whole file for the host's checks and views.
#include "host/platform/file_bytes.h"

#include "plugin/inspect.h"

namespace host {

bool ReadFileBytes(const std::string& path, std::size_t limit, std::string& bytes,
                   std::string& error) {
    const os::Status status = os::ReadSmallFile(path, limit, os::Sharing::kShared, bytes);
    if (status == os::kSuccess) return true;
    error = ReadErrorText(status, limit);
    return false;
}

std::string ReadErrorText(std::uint32_t status, std::size_t limit) {
    switch (status) {
        case os::kFileNotFound:
        case os::kPathNotFound:
            return "cannot be opened (it does not exist)";
        case os::kAccessDenied:
            return "cannot be read (a readable regular file expected, not a directory, a pipe "
                   "or a device)";
        case os::kFileTooLarge:
            return "is larger than " + std::to_string(limit >> 20) + " MiB";
        default:
            return "cannot be opened (system error " + std::to_string(status) + ")";
    }
}

}  // namespace host
