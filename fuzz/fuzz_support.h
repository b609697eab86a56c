// What the fuzz targets share: the fuzz-only backend's record of what would have run or been
// shown, and a scratch directory of the process's own.
#ifndef TRUV_FUZZ_FUZZ_SUPPORT_H
#define TRUV_FUZZ_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

/// What the plug-in asked of the fuzz-only backend (no_process.cpp) since the last Clear.
struct Record {
    std::vector<std::string> started;   ///< command lines of StartProcess and ShellOpen files
    std::vector<std::string> messages;  ///< texts of message boxes
    void Clear() {
        started.clear();
        messages.clear();
    }
};

Record& Recorded();

/// A directory of this process's own under /dev/shm (else TMPDIR or /tmp), made once and
/// removed at exit.
const std::string& ScratchDir();

/// Writes `bytes` to `path` whole; aborts when it cannot.
void WriteWhole(const std::string& path, std::string_view bytes);

/// Reads `path` whole; aborts when it cannot.
std::string ReadWhole(const std::string& path);

/// Aborts with `what` on standard error when `condition` is false (a finding).
void Check(bool condition, const char* what);

/// The fuzz input as text.
inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace fuzz

#endif  // TRUV_FUZZ_FUZZ_SUPPORT_H
