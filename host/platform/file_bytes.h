// Reading a whole file for the host's checks and views.
#ifndef TRUV_HOST_PLATFORM_FILE_BYTES_H
#define TRUV_HOST_PLATFORM_FILE_BYTES_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace host {

/// "menu.txt" holds about 12 KB; a larger file than this is no menu file.
inline constexpr std::size_t kMenuFileLimit = std::size_t{1} << 20;

/// The whole content of the regular file `path` of at most `limit` bytes; false with `error`
/// (in words for the reader) when it is missing, unreadable, no regular file (a directory, a
/// pipe or a device is never waited for) or larger.
bool ReadFileBytes(const std::string& path, std::size_t limit, std::string& bytes,
                   std::string& error);

/// Why a file could not be opened or read whole, in words for the reader, from the system's
/// `status`; `limit` is the size it exceeded (kFileTooLarge).
std::string ReadErrorText(std::uint32_t status, std::size_t limit);

}  // namespace host

#endif  // TRUV_HOST_PLATFORM_FILE_BYTES_H
