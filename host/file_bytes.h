// Reading a whole file for the host's checks and views.
#ifndef TRUV_HOST_FILE_BYTES_H
#define TRUV_HOST_FILE_BYTES_H

#include <string>

namespace host {

/// The whole content of the file `path`; false with `error` (in words for the reader) when it
/// cannot be opened or read, e.g. because it is missing or a directory.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);

}  // namespace host

#endif  // TRUV_HOST_FILE_BYTES_H
