// Reading a whole file for the host's checks and views.
#include "host/file_bytes.h"

#include "os/os.h"

namespace host {

bool ReadFileBytes(const std::string& path, std::size_t limit, std::string& bytes,
                   std::string& error) {
    const os::Status status = os::ReadSmallFile(path, limit, os::Sharing::kShared, bytes);
    switch (status) {
        case os::kSuccess:
            return true;
        case os::kFileNotFound:
        case os::kPathNotFound:
            error = "cannot be opened (it does not exist)";
            return false;
        case os::kAccessDenied:
            error =
                "cannot be read (a readable regular file expected, not a directory, a pipe "
                "or a device)";
            return false;
        case os::kFileTooLarge:
            error = "is larger than " + std::to_string(limit >> 20) + " MiB";
            return false;
        default:
            error = "cannot be opened (system error " + std::to_string(status) + ")";
            return false;
    }
}

}  // namespace host
