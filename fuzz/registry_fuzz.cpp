// The POSIX registry store: any store text is read without a fault, and a value is reported by
// RegQueryValueExA's rules (the size asked for first, then the value in a buffer of exactly
// that size; a smaller buffer leaves the buffer untouched and reports ERROR_MORE_DATA). The
// installation root read through it fits the 200-byte buffer and holds no NUL.
// Input: the store's bytes. The names queried are the plug-in's own and two made up.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "launch/install_paths.h"
#include "os/os.h"

namespace {

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

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    setenv("TRUV_REGISTRY", StorePath().c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::WriteWhole(StorePath(), fuzz::AsText(data, size));
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
