// Changes to the registry value "CFG" that names the installation root, undone afterwards.
#ifndef TRUV_SUITE_REGISTRY_OVERRIDE_H
#define TRUV_SUITE_REGISTRY_OVERRIDE_H

#include <cstdint>
#include <string>
#include <vector>

namespace suite {

/// The key and value that the plug-in reads, under HKEY_LOCAL_MACHINE.
inline constexpr const char* kRootKeyPath = "SOFTWARE\\TRUV\\MAIN\\PATH";
inline constexpr const char* kRootValueName = "CFG";

/// Windows: writes both registry views (32-bit and 64-bit) and, when it goes, puts back
/// the key and value as they were before its first change. POSIX: rewrites the registry
/// store file `storePath` whole at every change. Failures throw std::runtime_error.
class RegistryOverride {
public:
    explicit RegistryOverride(std::string storePath);
    RegistryOverride(const RegistryOverride&) = delete;
    RegistryOverride& operator=(const RegistryOverride&) = delete;
    ~RegistryOverride();

    /// A string value of `bytes`, stored with its terminating NUL when `terminated`.
    void SetString(const std::string& bytes, bool terminated);
    void SetDword(std::uint32_t value);
    void RemoveValue();
    void RemoveKey();

private:
    /// One registry view as it was before the first change (Windows).
    struct SavedView {
        std::uint32_t view = 0;
        bool keyExisted = false;
        bool valueExisted = false;
        std::uint32_t type = 0;
        std::string data;
    };

    void SaveOnce();

    std::string storePath_;
    std::vector<SavedView> saved_;
    bool savedOnce_ = false;
};

}  // namespace suite

#endif  // TRUV_SUITE_REGISTRY_OVERRIDE_H
