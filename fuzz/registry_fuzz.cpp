// The POSIX registry store: any store text is read without a fault, and a value is reported by
// RegQueryValueExA's rules (the size asked for first, then the value in a buffer of exactly
// that size; a smaller buffer leaves the buffer untouched and reports ERROR_MORE_DATA). The
// installation root read through it fits the 200-byte buffer and holds no NUL. A store that
// is no regular file (a FIFO, a device, a directory) or is larger than 1 MiB is refused as
// a whole without waiting, while one of exactly 1 MiB reads as its text alone.
// Input: the store's bytes; a first byte 0x01 to 0x05 instead makes the store a FIFO, a link
// to /dev/zero, a directory, the rest of the input padded past 1 MiB, or padded to exactly
// 1 MiB by a comment line. The names queried are the plug-in's own and two made up.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "fuzz_support.h"
#include "launch/install_paths.h"
#include "os/os.h"

namespace {

constexpr os::Status kBadDb = 1009;
constexpr std::size_t kStoreLimit = 1 << 20;  // the largest store that is read

enum class StoreKind : std::uint8_t { kText, kFifo, kDevice, kDirectory, kTooLarge, kAtLimit };

std::string StorePath() {
    static const std::string path = fuzz::ScratchDir() + "/registry";
    return path;
}

void CheckValue(os::RegistryKey key, const std::string& name) {
    std::uint32_t size = 0;
    if (os::RegistryQuery(key, name, nullptr, size) != os::kSuccess) return;
    std::vector<char> buffer(size + 1, '#');
    std::uint32_t exact = size;
    fuzz::Check(os::RegistryQuery(key, name, buffer.data(), exact) == os::kSuccess && exact == size,
                "a buffer of the size reported is refused");
    if (size == 0) return;
    std::vector<char> smaller(size, '#');
    std::uint32_t less = size - 1;
    fuzz::Check(os::RegistryQuery(key, name, smaller.data(), less) == os::kMoreData && less == size,
                "a smaller buffer is not ERROR_MORE_DATA with the size needed");
    fuzz::Check(smaller == std::vector<char>(size, '#'), "a smaller buffer was written");
}

// Puts the store of `kind` in place; false when the text is too long for kAtLimit.
bool MakeStore(StoreKind kind, std::string_view text) {
    std::filesystem::remove_all(StorePath());
    switch (kind) {
        case StoreKind::kText:
            fuzz::WriteWhole(StorePath(), text);
            return true;
        case StoreKind::kFifo:
            return mkfifo(StorePath().c_str(), 0600) == 0;
        case StoreKind::kDevice:
            std::filesystem::create_symlink("/dev/zero", StorePath());
            return true;
        case StoreKind::kDirectory:
            return std::filesystem::create_directory(StorePath());
        case StoreKind::kTooLarge:  // sparse: the bytes after the text are NULs
            fuzz::WriteWhole(StorePath(), text);
            return truncate(StorePath().c_str(), kStoreLimit + 1) == 0;
        case StoreKind::kAtLimit:
            if (text.size() + 2 > kStoreLimit) return false;
            fuzz::WriteWhole(StorePath(), std::string(text) + "\n;");
            return truncate(StorePath().c_str(), kStoreLimit) == 0;
    }
    return false;
}

// Whatever else is wrong with it, a store that is no regular file or too large is refused.
void CheckRefused() {
    os::RegistryKey key = nullptr;
    fuzz::Check(os::RegistryOpen("SOFTWARE\\TRUV\\MAIN\\PATH", os::kKeyRead, key) == kBadDb &&
                    key == nullptr,
                "a store that is no regular file of at most 1 MiB is not refused");
    fuzz::Check(GetInstallRoot().empty(), "a refused store gives a root");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    setenv("TRUV_REGISTRY", StorePath().c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bool special = size > 0 && data[0] >= 1 && data[0] <= 5;
    const StoreKind kind = special ? static_cast<StoreKind>(data[0]) : StoreKind::kText;
    const std::string_view text =
        special ? fuzz::AsText(data + 1, size - 1) : fuzz::AsText(data, size);
    if (kind == StoreKind::kAtLimit) {
        // Padded by a comment line, the store reads as its text alone.
        MakeStore(StoreKind::kText, text);
        const std::string alone = GetInstallRoot();
        if (!MakeStore(kind, text)) return 0;
        fuzz::Check(GetInstallRoot() == alone, "a store of exactly 1 MiB reads otherwise");
        return 0;
    }
    if (!MakeStore(kind, text)) return 0;
    if (kind != StoreKind::kText) {
        CheckRefused();
        return 0;
    }
    for (const char* subKey : {"SOFTWARE\\TRUV\\MAIN\\PATH", "software\\truv\\main", ""}) {
        os::RegistryKey key = nullptr;
        if (os::RegistryOpen(subKey, os::kKeyRead, key) != os::kSuccess) {
            fuzz::Check(key == nullptr, "a failed open hands out a key");
            continue;
        }
        for (const char* name : {"CFG", "Other", ""}) CheckValue(key, name);
        os::RegistryClose(key);
    }
    const std::string root = GetInstallRoot();
    fuzz::Check(root.size() < 200 && root.find('\0') == std::string::npos,
                "the installation root does not fit its buffer");
    return 0;
}
