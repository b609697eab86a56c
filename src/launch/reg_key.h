// A holder of one open registry key, closed at the latest by its destructor.
#ifndef TRUV_LAUNCH_REG_KEY_H
#define TRUV_LAUNCH_REG_KEY_H

#include <cstdint>
#include <string>

#include "os/os.h"

/// The registry roots a key can be opened under. The plug-in reads its one value under the
/// local machine's root, the only one the system seam opens.
enum class RootKey { kLocalMachine };

class RegKey {
public:
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    virtual ~RegKey();

    /// Opens the existing key `subKey` of `root`; the registry status code (0 for success).
    os::Status Open(RootKey root, const std::string& subKey, std::uint32_t access);

    /// Reads a string value through a 200-byte buffer. On success `value` becomes the text up
    /// to its first NUL within the bytes returned; otherwise it stays as it was.
    os::Status QueryString(const std::string& name, std::string& value);

    /// Closes the key; closing twice is harmless.
    void Close();

private:
    os::RegistryKey handle = nullptr;
    std::string subKeyPath;
};

#endif  // TRUV_LAUNCH_REG_KEY_H
